#pragma once
// The few drawing operations every screen uses. All drawing goes into the presenter's Screen.

#include "media/LibPresent.h"
#include "media/MediaHandles.h"

#include <cstdint>
#include <string_view>

constexpr int FontGlyphWidth = 10;
constexpr int DigitGlyphWidth = 12;
// Glyph of every byte the font has no picture for; its cell is empty.
constexpr int BlankGlyph = 42;

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
