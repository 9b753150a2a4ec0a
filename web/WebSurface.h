#pragma once
// The page's pictures: plain 16-bit 5-6-5 surfaces in memory, as the desktop's, drawn by the same rules.

#include "media/SdlCalls.h"

#include <cstdint>

// A new picture of that size, black; freed with SDL_FreeSurface.
SDL_Surface* CreatePicture(int width, int height);

// The pixel at (x, y) of a picture; both must lie on it.
inline uint16_t* PixelAt(const SDL_Surface& picture, int x, int y) {
  return reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(picture.pixels) + y * picture.pitch) + x;
}
