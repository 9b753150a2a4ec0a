#pragma once
// The desktop's own window start-up; InitGraphics (LibPresent.h) opens the game's window.

// Sets the video mode of a window of that size and caption, centred on the desktop, as Screen; false
// with SDL's error when SDL refuses. The video system must be started.
bool OpenWindow(int width, int height, const char* caption);
