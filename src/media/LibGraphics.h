#pragma once
// The window and the few drawing operations every screen uses. All drawing goes into Screen.

#include "media/MediaHandles.h"

#include <cstdint>
#include <string_view>

constexpr int ScreenWidth = 640;
constexpr int ScreenHeight = 480;
constexpr int ScreenDepth = 16;
constexpr int FontGlyphWidth = 10;
constexpr int DigitGlyphWidth = 12;
// Glyph of every byte the font has no picture for; its cell is empty.
constexpr int BlankGlyph = 42;

// The one video surface, owned by SDL; valid from InitGraphics until SDL_Quit.
extern SDL_Surface* Screen;

// Opens the centred, resizable window with its caption and, when that file is there, the icon
// sprites/icon.dat, and hides the system pointer. The window is as large as the display allows (see
// OpenGameScreen); Screen is always width by height. Unless SDL_VIDEODRIVER names a driver, only
// the desktop's drivers are tried. Throws EMediaError naming the cause when the video system or the
// video mode cannot be set up, and like LoadSprite when the icon is damaged.
void InitGraphics(int width, int height, const char* caption);
// Sets the video mode of a window of that size and caption, centred on the desktop, as Screen; false
// with SDL's error when SDL refuses. The video system must be started.
bool OpenWindow(int width, int height, const char* caption);

// A picture with magenta (255, 0, 255) transparent, in its file's own pixel format. Never null:
// a file that cannot be opened or decoded throws an error naming it.
SurfacePtr LoadSprite(const char* name);

void DrawSprite(const SurfacePtr& sprite, int x, int y);
// Centre at (x, y); an even size reaches one pixel further left (or up) than right (or down).
void DrawSpriteCentred(const SurfacePtr& sprite, int x, int y);
void FillBox(int x, int y, int w, int h, uint8_t r, uint8_t g, uint8_t b);
// A 3 by 3 square centred on (x, y).
void DrawDot(int x, int y, uint8_t r, uint8_t g, uint8_t b);

// The font strip's cell for a character: A-Z and a-z 0-25, digits 26-35, . , ! ? @ ' 36-41.
int GlyphIndex(unsigned char character);
// Fixed-width text from a strip of glyph cells; first character's top-left corner at (x, y).
void DrawText(const SurfacePtr& strip, int glyphWidth, int x, int y, std::string_view text);
// value in unsigned decimal from a strip of the digits 0-9.
void DrawNumber(const SurfacePtr& strip, int glyphWidth, int x, int y, uint32_t value);
