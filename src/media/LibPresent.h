#pragma once
// The platform's presenter: it owns the window (or the page's canvas) and Screen, the picture every
// screen draws into. The desktop's is desktop/LibPresent.cpp, the browser's web/WebPresent.cpp.
//
// On the desktop it shows the game's picture in the window at the cost of what changed. SDL converts every pixel it
// is handed into the window's format (on a 24-bit desktop that is most of a frame's time), so a
// frame equal to the one already shown costs only the comparison with a copy of it.
//
// The picture is drawn into Screen. When the window has the picture's size, Screen is the video
// surface itself; otherwise (a larger window, a resized window, fullscreen) Screen is a picture of
// its own that the presenter scales into the window by a whole multiple, centred on black, so that
// neither library blurs it nor changes the display's mode.

#include "media/LibScale.h"

#include "media/SdlCalls.h"

constexpr int ScreenWidth = 640;
constexpr int ScreenHeight = 480;
constexpr int ScreenDepth = 16;

// The one picture of the game, 16-bit 5-6-5, width by height; valid from InitGraphics until SDL_Quit.
extern SDL_Surface* Screen;

// Opens the centred, resizable window with its caption and, when that file is there, the icon
// sprites/icon.dat, and hides the system pointer. The window is as large as the display allows (see
// OpenGameScreen); Screen is always width by height. Unless SDL_VIDEODRIVER names a driver, only
// the desktop's drivers are tried. Throws EMediaError naming the cause when the video system or the
// video mode cannot be set up, and like LoadSprite when the icon is damaged.
void InitGraphics(int width, int height, const char* caption);

// Sets a video mode of the window's size (flags: SDL_RESIZABLE, SDL_FULLSCREEN or 0) and makes
// Screen a surface of the picture's size shown in it. False with SDL's error when SDL refuses.
bool SetScreenMode(TSize picture, TSize window, Uint32 flags);
// Opens the game's resizable window, as large as WindowScale allows on a display of that size (0
// by 0 when unknown), for a picture of that size.
bool OpenGameScreen(TSize picture, TSize display);
// Fullscreen at the display's size, or back to the window at the size it had; nothing when the
// display's size is unknown. Throws EMediaError when neither mode can be set.
void ToggleFullscreen();
// The system pointer over the window: shown for the error box, else hidden, the game drawing its own.
void ShowSystemPointer(bool shown);
// The window manager gave the window that size; the picture takes the largest whole multiple that
// fits it. Nothing in fullscreen.
void ResizeWindow(int width, int height);
// A point of the window in Screen's pixels, clamped onto the picture.
TPoint ScreenPoint(int x, int y);

// Called after each frame is drawn into Screen: hands SDL the rows that differ from the last frame
// shown, each run of such rows narrowed to the columns that differ (scaled when the window shows
// the picture scaled); the whole window when it may have lost its picture.
void PresentScreen(SDL_Surface* screen);
// The next PresentScreen shows the whole window. Called when the video mode is set and when SDL
// asks the program to repaint the window.
void PresentWholeScreenNext();
