#pragma once
// The pieces of the puzzle screen's picture, each painted straight into Screen.

#include "game/LibBoard.h"
#include "game/LibParticles.h"
#include "media/MediaHandles.h"

#include <cstdint>

// A head-up display row: the icon centred on the icon column and the value beside it, row 0 at
// the top (lives, score, tiles to clear, hints).
void DrawHudIcon(const SurfacePtr& icon, int row);
void DrawHudNumber(const SurfacePtr& digits, int row, int32_t value);
// The white outline, always, and the yellow bar, one pixel per four ticks left.
void DrawTimerBar(int32_t timer);
// The tile's disc (a white rim when hinted, a yellow ring when selected) and its picture on top.
void DrawTile(const TTile& tile, const SurfacePtr& picture, bool hinted, bool selected);
// The keyboard's cursor: a square around the cell, unlike the round selection ring.
void DrawCursor(int column, int row);
// Stars by their top-left corner, dots centred on the particle's point.
void DrawParticles(const TParticles& particles, const SurfacePtr& star);
