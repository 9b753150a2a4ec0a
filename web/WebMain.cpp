// The browser's program entry.

#include "shell/BoglingsAndSkitters.h"

#include <emscripten.h>

// The page calls this after its start click. When the game ends (the menu's exit entry, or a fatal
// report the player has closed) the page offers to play again instead of a still canvas.
int main() {
  const int exitCode = RunProgram();
  EM_ASM({ Module['gameEnded']($0); }, exitCode);
  return exitCode;
}
