#pragma once
// Real SDL events through the real frame loop, for tests and benchmarks.

#include <SDL.h>

#include <functional>
#include <optional>
#include <vector>

class TGame;

struct TPoint {
  int X, Y;
  bool operator==(const TPoint&) const = default;
};

void PushMotion(int x, int y);
void PushButton(bool pressed, int x, int y, Uint8 button = SDL_BUTTON_LEFT);
void Frames(TGame& game, int count);                        // of the real loop, without its pause
void Drag(TGame& game, const std::vector<TPoint>& points);  // pressed on the first, one frame
inline void Click(TGame& game, int x, int y) { Drag(game, {{x, y}}); }
inline TPoint CellCentre(int column, int row) { return {213 + 64 * column, 40 + 64 * row}; }
// Some straight line of three cells of equal kindAt(column, row), in drag order.
std::optional<std::vector<TPoint>> FindLine(const std::function<int(int, int)>& kindAt);
