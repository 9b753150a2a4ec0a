// The browser's presenter. The canvas is the video surface at the picture's size, and the page scales
// it by whole steps: a drawn frame is on the page once the frame loop lets the browser run, nothing
// is copied to show it, and the pointer's positions are already the picture's. Fullscreen and the
// window's size are the browser's own business.

#include "media/LibGraphics.h"
#include "media/LibPresent.h"

#include <emscripten.h>

bool SetScreenMode(TSize picture, TSize, Uint32) {
  Screen = SDL_SetVideoMode(picture.W, picture.H, ScreenDepth, SDL_HWSURFACE);
  return Screen != nullptr;
}

bool OpenGameScreen(TSize picture, TSize) { return SetScreenMode(picture, picture, 0); }

void ToggleFullscreen() {}

void ShowSystemPointer(bool shown) { SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE); }

void ResizeWindow(int, int) {}

TPoint ScreenPoint(int x, int y) { return {x, y}; }

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
