#pragma once
// SDL keeps a rectangle in 16-bit fields; every rectangle the game hands SDL is made here.

#include "media/SdlCalls.h"

inline SDL_Rect MakeRect(int x, int y, int w, int h) {
  return SDL_Rect{static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w), static_cast<Uint16>(h)};
}
