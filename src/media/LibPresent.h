#pragma once
// Shows the video surface in the window at the cost of what changed. SDL converts every pixel it
// is handed into the window's format (on a 24-bit desktop that is most of a frame's time), so a
// frame equal to the one already shown costs only the comparison with a copy of it.

#include <SDL.h>

// Called after each frame is drawn into the video surface: hands SDL the rows that differ from
// the last frame shown, each run of such rows narrowed to the columns that differ; the whole
// surface when the window may have lost its picture.
void PresentScreen(SDL_Surface* screen);
// The next PresentScreen shows the whole surface. Called when the video mode is set and when SDL
// asks the program to repaint the window.
void PresentWholeScreenNext();
