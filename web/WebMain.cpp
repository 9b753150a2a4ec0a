// The browser's program entry and presenter. The canvas is the video surface, so a drawn frame is
// on the page once the frame loop lets the browser run; nothing is copied to show it.

#include "media/LibPresent.h"
#include "shell/BoglingsAndSkitters.h"

#include <emscripten.h>

// The page counts the frames shown, and notes when the first came, for its measurements.
void PresentScreen(SDL_Surface*) {
  static int shown = 0;
  EM_ASM(
      {
        Module['frames'] = $0;
        Module['firstFrame'] = Module['firstFrame'] || performance.now();
      },
      ++shown);
}

void PresentWholeScreenNext() {}

// The page calls this after its start click. When the game ends (the menu's exit entry, or a fatal
// report the player has closed) the page offers to play again instead of a still canvas.
int main() {
  const int exitCode = RunProgram();
  EM_ASM({ Module['gameEnded']($0); }, exitCode);
  return exitCode;
}
