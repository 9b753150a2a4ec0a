#include "media/LibGraphics.h"

#include "AssetFiles.h"
#include "media/LibErrors.h"
#include "media/LibFiles.h"
#include "media/SdlRect.h"

#include <cstring>
#include <string>

namespace {

void BlitCell(const SurfacePtr& strip, int cell, int glyphWidth, SDL_Rect& destination) {
  SDL_Rect source = MakeRect(cell * glyphWidth, 0, glyphWidth, strip->h);
  SDL_Rect target = destination;  // SDL clips the rectangle it is given; the pen must not move with it.
  SDL_BlitSurface(strip.get(), &source, Screen, &target);
  destination.x = static_cast<Sint16>(destination.x + glyphWidth);
}

// Whether any pixel matches the key as a keyed blit compares them (alpha bits left out).
bool UsesKey(const SDL_Surface& picture, Uint32 key) {
  const Uint32 mask = ~picture.format->Amask;
  const int bytes = picture.format->BytesPerPixel;
  for (int y = 0; y < picture.h; ++y) {
    const auto* row = static_cast<const uint8_t*>(picture.pixels) + y * picture.pitch;
    for (int x = 0; x < picture.w; ++x) {
      Uint32 pixel = 0;
      std::memcpy(&pixel, row + x * bytes, bytes);
      if ((pixel & mask) == (key & mask)) return true;
    }
  }
  return false;
}

}  // namespace

SurfacePtr LoadSprite(const char* name) {
  SurfacePtr sprite = LoadBitmapDat(name);
  if (!sprite) throw EMediaError(std::string("Cannot load picture ") + name + ": " + SDL_GetError());
  const Uint32 key = SDL_MapRGB(sprite->format, 255, 0, 255);
  // A picture without a key pixel draws the same without the key, and then SDL copies whole rows
  // instead of testing every pixel: the full-screen background costs a fraction of a keyed blit.
  if (UsesKey(*sprite, key)) SDL_SetColorKey(sprite.get(), SDL_SRCCOLORKEY, key);
  return sprite;
}

void DrawSprite(const SurfacePtr& sprite, int x, int y) {
  SDL_Rect destination = MakeRect(x, y, 0, 0);
  SDL_BlitSurface(sprite.get(), nullptr, Screen, &destination);
}

void DrawSpriteCentred(const SurfacePtr& sprite, int x, int y) {
  DrawSprite(sprite, x - sprite->w / 2, y - sprite->h / 2);
}

void FillBox(int x, int y, int w, int h, uint8_t r, uint8_t g, uint8_t b) {
  SDL_Rect box = MakeRect(x, y, w, h);
  SDL_FillRect(Screen, &box, SDL_MapRGB(Screen->format, r, g, b));
}

void DrawDot(int x, int y, uint8_t r, uint8_t g, uint8_t b) { FillBox(x - 1, y - 1, 3, 3, r, g, b); }

int GlyphIndex(unsigned char character) {
  if (character >= 'A' && character <= 'Z') return character - 'A';
  if (character >= 'a' && character <= 'z') return character - 'a';
  if (character >= '0' && character <= '9') return 26 + (character - '0');
  switch (character) {
    case '.': return 36;
    case ',': return 37;
    case '!': return 38;
    case '?': return 39;
    case '@': return 40;
    case '\'': return 41;
    default: return BlankGlyph;
  }
}

void DrawText(const SurfacePtr& strip, int glyphWidth, int x, int y, std::string_view text) {
  SDL_Rect pen = MakeRect(x, y, 0, 0);
  for (const char character : text) BlitCell(strip, GlyphIndex(static_cast<unsigned char>(character)), glyphWidth, pen);
}

void DrawNumber(const SurfacePtr& strip, int glyphWidth, int x, int y, uint32_t value) {
  SDL_Rect pen = MakeRect(x, y, 0, 0);
  for (const char digit : std::to_string(value)) BlitCell(strip, digit - '0', glyphWidth, pen);
}
