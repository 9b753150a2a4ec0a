// The page's stand-in for SDL 1.2's surfaces, as the shared game calls them (SdlCalls.h): every picture
// is a 16-bit 5-6-5 surface in memory like the desktop's Screen and sprites, and filled, blitted,
// clipped and colour-keyed by SDL 1.2's rules, so the page draws the desktop's pixels and its
// presenter can hand the canvas only what changed. Only the game's own loaders read memory streams.

#include "WebSurface.h"

#include "media/LibFiles.h"

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

char ErrorText[256] = "";

// The columns First to End (not included) of a row that a keyed blit copies.
struct TRun {
  int First, End;
};

// The picture's surface (its userdata points back here) with its format and, once it has a colour
// key, each row's runs of the pixels not of the key: pictures never change once keyed, and a keyed
// blit then copies runs where it would test every pixel, as SDL's RLE acceleration does.
struct TPicture {
  SDL_Surface Surface;
  SDL_PixelFormat Format;
  std::vector<TRun> Runs;
  std::vector<size_t> RowRuns;  // row y's runs are Runs[RowRuns[y]] up to Runs[RowRuns[y + 1]]
};

TPicture& PictureOf(const SDL_Surface* surface) { return *static_cast<TPicture*>(surface->userdata); }

void FindRuns(TPicture& picture, uint16_t key) {
  const SDL_Surface& surface = picture.Surface;
  picture.Runs.clear();
  picture.RowRuns.assign(1, 0);
  for (int y = 0; y < surface.h; ++y) {
    const uint16_t* row = PixelAt(surface, 0, y);
    for (int x = 0; x < surface.w;) {
      while (x < surface.w && row[x] == key) ++x;
      const int first = x;
      while (x < surface.w && row[x] != key) ++x;
      if (x > first) picture.Runs.push_back({first, x});
    }
    picture.RowRuns.push_back(picture.Runs.size());
  }
}

// Row y's pixels from column from on, width wide, where the picture's runs cover them.
void CopyRuns(const TPicture& picture, int y, int from, int width, uint16_t* out) {
  const uint16_t* in = PixelAt(picture.Surface, 0, y);
  for (size_t i = picture.RowRuns[y]; i < picture.RowRuns[y + 1]; ++i) {
    const int first = std::max(picture.Runs[i].First, from), end = std::min(picture.Runs[i].End, from + width);
    if (first < end) std::memcpy(out + (first - from), in + first, static_cast<size_t>(end - first) * 2);
  }
}

constexpr uint16_t Pixel565(uint8_t r, uint8_t g, uint8_t b) {
  return uint16_t((r >> 3) << 11 | (g >> 2) << 5 | b >> 3);
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
  const uint32_t headerSize = LittleEndian(bmp + 14, 4), compression = LittleEndian(bmp + 30, 4);
  const int64_t height = static_cast<int32_t>(LittleEndian(bmp + 22, 4));
  layout = {static_cast<int32_t>(LittleEndian(bmp + 18, 4)),
            static_cast<int>(std::min<int64_t>(height < 0 ? -height : height, INT32_MAX)),
            static_cast<int>(LittleEndian(bmp + 28, 2)),
            0,
            static_cast<int>(LittleEndian(bmp + 10, 4)),
            height < 0,
            {}};
  constexpr int Largest = 16384;
  if (headerSize < 40 || layout.Width <= 0 || layout.Width > Largest || layout.Height <= 0 || layout.Height > Largest)
    return false;
  if (compression == 3 && 14 + 40 + 12 <= size) {
    for (int i = 0; i < 3; ++i) layout.Masks[i] = LittleEndian(bmp + 54 + 4 * i, 4);
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

// The part of a rectangle inside the surface's clip rectangle; false when none is.
bool Clip(const SDL_Surface& surface, SDL_Rect& rect) {
  const SDL_Rect& clip = surface.clip_rect;
  const int left = std::max(rect.x, clip.x), top = std::max(rect.y, clip.y);
  const int right = std::min(rect.x + rect.w, clip.x + clip.w), bottom = std::min(rect.y + rect.h, clip.y + clip.h);
  if (right <= left || bottom <= top) return false;
  rect = {left, top, right - left, bottom - top};
  return true;
}

}  // namespace

SDL_Surface* CreatePicture(int width, int height) {
  const int pitch = (width * 2 + 3) / 4 * 4;
  auto* picture = new TPicture{};
  picture->Format.BitsPerPixel = 16;
  picture->Format.BytesPerPixel = 2;
  picture->Format.Rmask = 0xF800, picture->Format.Gmask = 0x07E0, picture->Format.Bmask = 0x001F;
  picture->Format.Rloss = 3, picture->Format.Gloss = 2, picture->Format.Bloss = 3, picture->Format.Aloss = 8;
  picture->Format.Rshift = 11, picture->Format.Gshift = 5;
  SDL_Surface& surface = picture->Surface;
  surface.userdata = picture;
  surface.format = &picture->Format;
  surface.w = width, surface.h = height, surface.pitch = pitch;
  surface.pixels = new uint8_t[static_cast<size_t>(pitch) * height]();
  surface.clip_rect = {0, 0, width, height};
  surface.refcount = 1;
  return &surface;
}

extern "C" {

void SDL_SetError(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(ErrorText, sizeof ErrorText, format, arguments);
  va_end(arguments);
}

const char* SDL_GetError() { return ErrorText; }

// Frames are paced by the page's timer, which asks for no pause (see WebMain).
void SDL_Delay(Uint32) {}

// The page's surfaces are freed with their owners; nothing else was started.
void SDL_Quit() {}

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
  SDL_Surface* picture = CreatePicture(layout.Width, layout.Height);
  const int bytes = layout.Bits / 8;
  for (int y = 0; y < layout.Height; ++y) {
    const uint8_t* row = bmp + layout.Offset + layout.Stride * (layout.TopDown ? y : layout.Height - 1 - y);
    for (int x = 0; x < layout.Width; ++x) {
      const uint32_t pixel = LittleEndian(row + x * bytes, bytes);
      *PixelAt(*picture, x, y) =
          Pixel565(Channel(pixel, layout.Masks[0]), Channel(pixel, layout.Masks[1]), Channel(pixel, layout.Masks[2]));
    }
  }
  return picture;
}

void SDL_FreeSurface(SDL_Surface* surface) {
  if (surface == nullptr) return;
  delete[] static_cast<uint8_t*>(surface->pixels);
  delete &PictureOf(surface);
}

int SDL_SetColorKey(SDL_Surface* surface, int flag, Uint32 key) {
  surface->flags = (surface->flags & ~SDL_SRCCOLORKEY) | (flag & SDL_SRCCOLORKEY);
  if (flag & SDL_SRCCOLORKEY) FindRuns(PictureOf(surface), static_cast<uint16_t>(key));
  return 0;
}

Uint32 SDL_MapRGB(const SDL_PixelFormat*, Uint8 r, Uint8 g, Uint8 b) { return Pixel565(r, g, b); }

int SDL_FillRect(SDL_Surface* surface, const SDL_Rect* area, Uint32 colour) {
  SDL_Rect rect = area != nullptr ? *area : surface->clip_rect;
  if (!Clip(*surface, rect)) return 0;
  // Every frame starts black: a colour of two equal bytes is filled a word at a time.
  const bool bytewise = (colour & 0xFF) == (colour >> 8 & 0xFF);
  for (int y = rect.y; y < rect.y + rect.h; ++y) {
    if (bytewise) {
      std::memset(PixelAt(*surface, rect.x, y), static_cast<int>(colour & 0xFF), static_cast<size_t>(rect.w) * 2);
    } else {
      std::fill_n(PixelAt(*surface, rect.x, y), rect.w, uint16_t(colour));
    }
  }
  return 0;
}

// SDL 1.2's blit: the source rectangle clipped to the source, the target to the clip rectangle, the
// target's corner and size written back; pixels of the colour key left out.
int SDL_UpperBlit(SDL_Surface* source, const SDL_Rect* from, SDL_Surface* target, SDL_Rect* to) {
  SDL_Rect whole{0, 0, 0, 0};
  if (to == nullptr) to = &whole;
  int sx = 0, sy = 0, w = source->w, h = source->h;
  if (from != nullptr) {
    sx = from->x, sy = from->y, w = from->w, h = from->h;
    if (sx < 0) w += sx, to->x -= sx, sx = 0;
    if (sy < 0) h += sy, to->y -= sy, sy = 0;
    w = std::min(w, source->w - sx), h = std::min(h, source->h - sy);
  }
  const SDL_Rect& clip = target->clip_rect;
  if (const int dx = clip.x - to->x; dx > 0) w -= dx, to->x += dx, sx += dx;
  if (const int dx = to->x + w - clip.x - clip.w; dx > 0) w -= dx;
  if (const int dy = clip.y - to->y; dy > 0) h -= dy, to->y += dy, sy += dy;
  if (const int dy = to->y + h - clip.y - clip.h; dy > 0) h -= dy;
  if (w <= 0 || h <= 0) {
    to->w = to->h = 0;
    return 0;
  }
  to->w = w, to->h = h;
  const bool keyed = (source->flags & SDL_SRCCOLORKEY) != 0;
  for (int y = 0; y < h; ++y) {
    uint16_t* out = PixelAt(*target, to->x, to->y + y);
    if (keyed) {
      CopyRuns(PictureOf(source), sy + y, sx, w, out);
    } else {
      std::memcpy(out, PixelAt(*source, sx, sy + y), static_cast<size_t>(w) * 2);
    }
  }
  return 0;
}

}  // extern "C"
