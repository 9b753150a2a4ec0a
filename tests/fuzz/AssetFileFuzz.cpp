// Arbitrary bytes as a .dat picture (first byte even) or sound (odd): loading either gives a
// picture that draws or a sound that plays, or fails with an error that names the file.

#include "FuzzSupport.h"

#include "media/LibErrors.h"
#include "media/LibGraphics.h"
#include "media/LibSound.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  EnterFuzzDirectory();
  StartHeadlessMedia();
  const bool picture = data[0] % 2 == 0;
  const char* name = picture ? "sprites/fuzz.dat" : "sounds/fuzz.dat";
  WriteFile(name, data + 1, size - 1);
  try {
    if (picture) {
      DrawSprite(LoadSprite(name), 10, 10);
    } else {
      PlaySound(ChannelEffects, LoadSound(name), 0);
    }
  } catch (const EMediaError& failure) {
    if (failure.Message().find(name) == std::string::npos) __builtin_trap();
  }
  return 0;
}
