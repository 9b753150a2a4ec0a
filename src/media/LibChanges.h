#pragma once
// What changed in the game's picture since the frame last shown: each platform's presenter hands on
// only that (SDL converts every pixel it is handed into the window's format, and a canvas composites
// every frame it is given), so a frame equal to the one shown costs only the comparison.

#include "media/SdlCalls.h"

#include <cstdint>
#include <vector>

// The picture's rows that differ from shown, the copy of the frame last shown (row after row without
// the surface's row padding), as bands of rows that follow each other, each band narrowed to the
// columns where any of its rows differ; shown is brought up to date. Every row when whole, or when
// shown is not of the picture's size. The picture must be locked.
std::vector<SDL_Rect> ChangedBands(const SDL_Surface& picture, std::vector<uint8_t>& shown, bool whole);
