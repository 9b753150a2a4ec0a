// Replays every file of a corpus folder through a fuzz target, so CTest keeps each input that once
// found a fault (or seeds the fuzzer) as a regression test.

#include "FuzzSupport.h"

#include <set>

int main(int, char** argv) {
  const std::set<std::filesystem::path> inputs(std::filesystem::directory_iterator(argv[1]), {});
  for (const auto& input : inputs) {
    const Bytes bytes = ReadBytes(input);
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  // Stopped before exit: sdl12-compat unloads SDL 2 as the process ends, under SDL 2's running audio thread.
  ShutdownSound();
  SDL_Quit();
  std::printf("%zu passed\n", inputs.size());
  return inputs.empty();
}
