#include "shell/BoglingsAndSkitters.h"

#include <cstdio>
#include <cstring>

// The game itself takes no arguments; these two answer the questions asked of any installed command.
int main(int argc, char** argv) {
  if (argc == 1) return RunProgram();
  const bool help = std::strcmp(argv[1], "--help") == 0, version = std::strcmp(argv[1], "--version") == 0;
  if (argc == 2 && help) {
    std::puts(
        "Usage: boglings [--help | --version]\nStarts Boglings and Skitters, a Halloween puzzle game played with "
        "the mouse.\nSee boglings(6).");
    return 0;
  }
  if (argc == 2 && version) {
    std::puts("boglings " BOGLINGS_VERSION);
    return 0;
  }
  std::fprintf(stderr, "boglings: unknown argument '%s' (see boglings --help)\n", argv[help || version ? 2 : 1]);
  return 2;
}
