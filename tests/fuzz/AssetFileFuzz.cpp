// Arbitrary bytes as a .dat picture (first byte even) or sound (odd): loading either gives a
// picture that draws or a sound that plays, or fails with an error that names the file.

#include "FuzzSupport.h"

#include "media/LibErrors.h"

namespace {

constexpr int32_t LargestSide = 640;  // no picture of the game is larger than the screen

// SDL sizes a picture's surface from its header before reading a pixel; headers claiming huge
// pictures only make it allocate for long, so they are left out to keep the fuzzer quick.
bool ClaimsHugePicture(const uint8_t* scrambled, size_t size) {
  for (size_t at = 18; at < 26 && size >= 26; at += 4) {
    uint32_t side = 0;
    for (size_t i = 0; i < 4; ++i) side |= uint32_t{static_cast<uint8_t>(scrambled[at + i] ^ (at + i))} << (8 * i);
    if (static_cast<int32_t>(side) > LargestSide || static_cast<int32_t>(side) < -LargestSide) return true;
  }
  return false;
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
