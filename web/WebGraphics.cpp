// The browser's pictures: Emscripten's SDL 1.2 draws on canvases of 8 bits a channel. Here colours
// are cut to the desktop's 5-6-5, pictures are decoded (its own loader misreads our BMPs), the
// colour key is kept (its SDL_SetColorKey does nothing), and the SDL_gfx calls the game makes are
// drawn with plain fills.

#include "WebColour.h"
#include "WebShapes.h"

#include <SDL.h>
#include <SDL_gfxPrimitives.h>
#include <emscripten.h>

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <utility>

#include BOGLINGS_GFX_FONT  // SDL_gfx's own 8 by 8 font, from the desktop's SDL_gfx package

namespace {

char ErrorText[256] = "";

uint32_t Little(const uint8_t* bytes, int count) {
  uint32_t value = 0;
  for (int i = 0; i < count; ++i) value |= uint32_t{bytes[i]} << (8 * i);
  return value;
}

// One channel of a pixel as 8 bits, widened by a shift as SDL 1.2 widens it.
uint8_t Channel(uint32_t pixel, uint32_t mask) {
  if (mask == 0) return 0;
  int shift = 0, bits = 0;
  while (!(mask >> shift & 1)) ++shift;
  while (shift + bits < 32 && (mask >> (shift + bits) & 1)) ++bits;
  const uint32_t value = (pixel & mask) >> shift;
  return static_cast<uint8_t>(bits >= 8 ? value >> (bits - 8) : value << (8 - bits));
}

struct TBmpLayout {
  int Width, Height, Bits, Stride, Offset;
  bool TopDown;
  uint32_t Masks[3];
};

// Uncompressed 16-, 24- or 32-bit BMPs, with or without bit-field masks; false for anything else.
bool ReadLayout(const uint8_t* bmp, long size, TBmpLayout& layout) {
  if (size < 54 || bmp[0] != 'B' || bmp[1] != 'M') return false;
  const uint32_t headerSize = Little(bmp + 14, 4), compression = Little(bmp + 30, 4);
  const int64_t height = static_cast<int32_t>(Little(bmp + 22, 4));
  layout = {static_cast<int32_t>(Little(bmp + 18, 4)),
            static_cast<int>(std::min<int64_t>(height < 0 ? -height : height, INT32_MAX)),
            static_cast<int>(Little(bmp + 28, 2)),
            0,
            static_cast<int>(Little(bmp + 10, 4)),
            height < 0,
            {}};
  constexpr int Largest = 16384;
  if (headerSize < 40 || layout.Width <= 0 || layout.Width > Largest || layout.Height <= 0 || layout.Height > Largest)
    return false;
  if (compression == 3 && 14 + 40 + 12 <= size) {
    for (int i = 0; i < 3; ++i) layout.Masks[i] = Little(bmp + 54 + 4 * i, 4);
  } else if (compression == 0 && layout.Bits == 16) {
    layout.Masks[0] = 0x7C00, layout.Masks[1] = 0x03E0, layout.Masks[2] = 0x001F;
  } else if (compression == 0 && (layout.Bits == 24 || layout.Bits == 32)) {
    layout.Masks[0] = 0xFF0000, layout.Masks[1] = 0xFF00, layout.Masks[2] = 0xFF;
  } else {
    return false;
  }
  if (layout.Bits != 16 && layout.Bits != 24 && layout.Bits != 32) return false;
  layout.Stride = (layout.Width * layout.Bits + 31) / 32 * 4;
  return layout.Offset >= 54 && layout.Offset + static_cast<long>(layout.Stride) * layout.Height <= size;
}

// A disc's rows in one call to the page: the puzzle draws a hundred discs a frame, and a fill
// through Emscripten's SDL costs a canvas state save and restore and a colour text each.
EM_JS(void, FillRows, (SDL_Surface * surface, int x, int y, const int* widths, int radius, int r, int g, int b), {
  var context = SDL.surfaces[surface].ctx;
  context.fillStyle = 'rgb(' + r + ',' + g + ',' + b + ')';
  for (var dy = 0; dy <= radius; ++dy) {
    var w = HEAP32[(widths >> 2) + dy];
    context.fillRect(x - w, y - dy, 2 * w + 1, 1);
    if (dy > 0) context.fillRect(x - w, y + dy, 2 * w + 1, 1);
  }
});

void Fill(SDL_Surface* dst, int x, int y, int w, int h, Uint8 r, Uint8 g, Uint8 b) {
  SDL_Rect area{static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w), static_cast<Uint16>(h)};
  SDL_FillRect(dst, &area, SDL_MapRGB(dst->format, r, g, b));
}

}  // namespace

extern "C" {

void SDL_SetError(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(ErrorText, sizeof ErrorText, format, arguments);
  va_end(arguments);
}

const char* SDL_GetError() { return ErrorText; }

Uint32 SDL_MapRGB(const SDL_PixelFormat*, Uint8 r, Uint8 g, Uint8 b) { return WebPixel(Reduce565(r, g, b)); }

// A memory stream that only this layer's loaders read: they take the bytes and free it.
SDL_RWops* SDL_RWFromMem(void* memory, int size) {
  auto* stream = new SDL_RWops{};
  stream->hidden.mem.base = stream->hidden.mem.here = static_cast<Uint8*>(memory);
  stream->hidden.mem.stop = stream->hidden.mem.base + size;
  return stream;
}

SDL_Surface* SDL_LoadBMP_RW(SDL_RWops* stream, int freeStream) {
  const uint8_t* bmp = stream->hidden.mem.base;
  const long size = stream->hidden.mem.stop - bmp;
  if (freeStream) delete stream;
  TBmpLayout layout;
  if (!ReadLayout(bmp, size, layout)) {
    SDL_SetError("not an uncompressed 16-, 24- or 32-bit BMP picture");
    return nullptr;
  }
  SDL_Surface* picture = SDL_CreateRGBSurface(0, layout.Width, layout.Height, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
  SDL_LockSurface(picture);
  const int bytes = layout.Bits / 8;
  for (int y = 0; y < layout.Height; ++y) {
    const uint8_t* row = bmp + layout.Offset + layout.Stride * (layout.TopDown ? y : layout.Height - 1 - y);
    auto* out = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(picture->pixels) + y * picture->pitch);
    for (int x = 0; x < layout.Width; ++x) {
      const uint32_t pixel = Little(row + x * bytes, bytes);
      out[x] = WebPixel(
          Reduce565(Channel(pixel, layout.Masks[0]), Channel(pixel, layout.Masks[1]), Channel(pixel, layout.Masks[2])));
    }
  }
  SDL_UnlockSurface(picture);
  return picture;
}

// Pixels of the key's colour become fully transparent, which a canvas blit leaves out as a keyed
// blit does; every other pixel stays opaque.
int SDL_SetColorKey(SDL_Surface* surface, int flag, Uint32 key) {
  if (!(flag & SDL_SRCCOLORKEY)) return 0;
  SDL_LockSurface(surface);
  for (int y = 0; y < surface->h; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch);
    for (int x = 0; x < surface->w; ++x) {
      if (((row[x] ^ key) & 0xFFFFFF) == 0) row[x] = 0;
    }
  }
  SDL_UnlockSurface(surface);
  return 0;
}

// The page keeps its own title: a window's caption has no place in a browser's tab.
void SDL_WM_SetCaption(const char*, const char*) {}

// The system pointer over the canvas, shown or hidden as the game asks.
int SDL_ShowCursor(int toggle) {
  if (toggle == SDL_QUERY) return EM_ASM_INT({ return Module['canvas'].style.cursor == 'none' ? 0 : 1; });
  EM_ASM({ Module['canvas'].style.cursor = $0 ? 'default' : 'none'; }, toggle);
  return toggle;
}

// Emscripten has no waiting for events: poll, and let the page run between polls.
int SDL_WaitEvent(SDL_Event* event) {
  while (SDL_PollEvent(event) == 0) emscripten_sleep(10);
  return 1;
}

// The SDL_gfx calls of the game, opaque as it draws them (alpha is not blended).
int filledCircleRGBA(SDL_Surface* dst, Sint16 x, Sint16 y, Sint16 rad, Uint8 r, Uint8 g, Uint8 b, Uint8) {
  if (rad < 0) return -1;
  const TWebColour colour = Reduce565(r, g, b);
  FillRows(dst, x, y, HalfWidths(rad).data(), rad, colour.R, colour.G, colour.B);
  return 0;
}

int boxRGBA(SDL_Surface* dst, Sint16 x1, Sint16 y1, Sint16 x2, Sint16 y2, Uint8 r, Uint8 g, Uint8 b, Uint8) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  Fill(dst, x1, y1, x2 - x1 + 1, y2 - y1 + 1, r, g, b);
  return 0;
}

// The outline of the corners' box, both corners included.
int rectangleRGBA(SDL_Surface* dst, Sint16 x1, Sint16 y1, Sint16 x2, Sint16 y2, Uint8 r, Uint8 g, Uint8 b, Uint8 a) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  boxRGBA(dst, x1, y1, x2, y1, r, g, b, a);
  boxRGBA(dst, x1, y2, x2, y2, r, g, b, a);
  boxRGBA(dst, x1, y1, x1, y2, r, g, b, a);
  boxRGBA(dst, x2, y1, x2, y2, r, g, b, a);
  return 0;
}

// SDL_gfx's 8 by 8 font: one byte a glyph row, its highest bit the leftmost pixel.
int stringRGBA(SDL_Surface* dst, Sint16 x, Sint16 y, const char* text, Uint8 r, Uint8 g, Uint8 b, Uint8) {
  for (int i = 0; text[i] != '\0'; ++i) {
    const unsigned char* glyph = gfxPrimitivesFontdata + 8 * static_cast<unsigned char>(text[i]);
    for (int row = 0; row < 8; ++row) {
      for (int column = 0; column < 8; ++column) {
        if (glyph[row] & (0x80 >> column)) Fill(dst, x + 8 * i + column, y + row, 1, 1, r, g, b);
      }
    }
  }
  return 0;
}

}  // extern "C"
