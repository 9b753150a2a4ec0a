// Arbitrary bytes as a .dat picture (first byte even) or sound (odd): loading either gives a
// picture that draws or a sound that plays, or fails with an error that names the file.

#include "FuzzSupport.h"

#include "media/LibErrors.h"
#include "media/LibGraphics.h"
#include "media/LibSound.h"

namespace {

constexpr int32_t LargestSide = 640;  // no picture of the game is larger than the screen

// SDL sizes a picture's surface from its header before reading a pixel; headers claiming huge
// pictures only make it allocate for long, so they are left out to keep the fuzzer quick.
bool ClaimsHugePicture(const uint8_t* scrambled, size_t size) {
  if (size < 26) return false;
  int32_t side[2];
  for (int s = 0; s < 2; ++s) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= uint32_t{static_cast<uint8_t>(scrambled[18 + 4 * s + i] ^ (18 + 4 * s + i))} << (8 * i);
    side[s] = static_cast<int32_t>(value);
  }
  return side[0] > LargestSide || side[0] < -LargestSide || side[1] > LargestSide || side[1] < -LargestSide;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  EnterFuzzDirectory();
  StartHeadlessMedia();
  const bool picture = data[0] % 2 == 0;
  if (picture && ClaimsHugePicture(data + 1, size - 1)) return 0;
  const char* name = picture ? "sprites/fuzz.dat" : "sounds/fuzz.dat";
  WriteFile(name, data + 1, size - 1);
  try {
    if (picture) {
      DrawSprite(LoadSprite(name), 10, 10);
    } else {
      const SoundPtr sound = LoadSound(name);
      PlaySound(ChannelEffects, sound, 0);
      Mix_HaltChannel(ChannelEffects);  // freed with its handle, not left lingering when the fuzzer exits
    }
  } catch (const EMediaError& failure) {
    if (failure.Message().find(name) == std::string::npos) __builtin_trap();
  }
  return 0;
}
