#pragma once
// The full-screen night background that every screen but the intro draws first.

#include "Canvas.h"

namespace assetgen {

constexpr int ScreenWidth = 640;
constexpr int ScreenHeight = 480;

// Paints the 640x480 background into `canvas` (which must be that size). The same picture is
// used as the backdrop that other pictures' soft edges are blended into.
void PaintBackground(Canvas& canvas);

}  // namespace assetgen
