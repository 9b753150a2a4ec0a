// The page's stand-in for the SDL_gfx calls the shared game makes (SdlCalls.h), drawn opaque as the
// game draws them: SDL_gfx's own pixels, by its circle's spans and its built-in 8 by 8 font.

#include "WebShapes.h"
#include "WebSurface.h"

#include <utility>

#include BOGLINGS_GFX_FONT  // SDL_gfx's own 8 by 8 font, from the desktop's SDL_gfx package

namespace {

void Fill(SDL_Surface* target, int x, int y, int w, int h, Uint8 r, Uint8 g, Uint8 b) {
  const SDL_Rect area{x, y, w, h};
  SDL_FillRect(target, &area, SDL_MapRGB(target->format, r, g, b));
}

}  // namespace

extern "C" {

int filledCircleRGBA(SDL_Surface* target, Sint16 x, Sint16 y, Sint16 radius, Uint8 r, Uint8 g, Uint8 b, Uint8) {
  if (radius < 0) return -1;
  const std::vector<int> widths = HalfWidths(radius);
  for (int dy = 0; dy <= radius; ++dy) {
    Fill(target, x - widths[dy], y - dy, 2 * widths[dy] + 1, 1, r, g, b);
    if (dy > 0) Fill(target, x - widths[dy], y + dy, 2 * widths[dy] + 1, 1, r, g, b);
  }
  return 0;
}

int boxRGBA(SDL_Surface* target, Sint16 x1, Sint16 y1, Sint16 x2, Sint16 y2, Uint8 r, Uint8 g, Uint8 b, Uint8) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  Fill(target, x1, y1, x2 - x1 + 1, y2 - y1 + 1, r, g, b);
  return 0;
}

// The outline of the corners' box, both corners included.
int rectangleRGBA(SDL_Surface* target, Sint16 x1, Sint16 y1, Sint16 x2, Sint16 y2, Uint8 r, Uint8 g, Uint8 b, Uint8 a) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  boxRGBA(target, x1, y1, x2, y1, r, g, b, a);
  boxRGBA(target, x1, y2, x2, y2, r, g, b, a);
  boxRGBA(target, x1, y1, x1, y2, r, g, b, a);
  boxRGBA(target, x2, y1, x2, y2, r, g, b, a);
  return 0;
}

// One byte a glyph row, its highest bit the leftmost pixel.
int stringRGBA(SDL_Surface* target, Sint16 x, Sint16 y, const char* text, Uint8 r, Uint8 g, Uint8 b, Uint8) {
  for (int i = 0; text[i] != '\0'; ++i) {
    const unsigned char* glyph = gfxPrimitivesFontdata + 8 * static_cast<unsigned char>(text[i]);
    for (int row = 0; row < 8; ++row) {
      for (int column = 0; column < 8; ++column) {
        if (glyph[row] & (0x80 >> column)) Fill(target, x + 8 * i + column, y + row, 1, 1, r, g, b);
      }
    }
  }
  return 0;
}

}  // extern "C"
