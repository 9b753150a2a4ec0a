// Replays every file of a corpus directory through a fuzz target, so CTest keeps each input that
// once found a fault (or seeds the fuzzer) as a regression test.

#include "FuzzSupport.h"

#include <cstdio>
#include <iterator>
#include <set>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 2) return std::fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]), 2;
  const std::set<std::filesystem::path> inputs(std::filesystem::directory_iterator(argv[1]), {});
  for (const auto& input : inputs) {
    std::ifstream in(input, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  std::printf("%zu passed, 0 failed\n", inputs.size());
  return inputs.empty() ? 1 : 0;
}
