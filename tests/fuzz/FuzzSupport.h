#pragma once
// What the fuzz targets share: once per process, a scratch working directory and the headless
// window and mixer.

#include "media/LibGraphics.h"
#include "media/LibSound.h"
#include "support/Headless.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

inline void EnterFuzzDirectory() { static const ScratchDir scratch; }
inline void StartHeadlessMedia() {
  static const bool started =
      (EnterFuzzDirectory(), InitGraphics(ScreenWidth, ScreenHeight, "Game"), InitSound(), true);
  (void)started;
}
