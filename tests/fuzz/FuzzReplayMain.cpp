// Replays a corpus folder through a fuzz target: each input that once found a fault stays a test.

#include "FuzzSupport.h"

#include <set>

int main(int, char** argv) {
  const std::set<fs::path> inputs(fs::directory_iterator(argv[1]), {});
  for (const auto& input : inputs) {
    const Bytes bytes = ReadBytes(input);
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  // Before exit: sdl12-compat unloads SDL 2 then, under its running audio thread.
  ShutdownSound();
  SDL_Quit();
  std::printf("%zu passed\n", inputs.size());
  return inputs.empty();
}
