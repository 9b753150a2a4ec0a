// Any bytes as a .dat picture (first byte even) or sound: it draws or plays, or the error names it.

#include "FuzzSupport.h"

#include "media/LibErrors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  StartHeadless(true);
  const bool picture = data[0] % 2 == 0;
  const char* name = picture ? "sprites/fuzz.dat" : "sounds/fuzz.dat";
  WriteBytes(name, Bytes(data + 1, data + size));
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
