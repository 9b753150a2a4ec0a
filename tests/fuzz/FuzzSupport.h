#pragma once
// Once per process, a scratch working folder and the headless window and mixer.

#include "support/Headless.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

inline void StartHeadless(bool media) {
  static const ScratchDir scratch;
  if (media && !Screen) {
    InitGraphics(ScreenWidth, ScreenHeight, "Game");
    InitSound();
  }
}
