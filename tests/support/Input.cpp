#include "support/Input.h"

#include "game/LibBoard.h"
#include "shell/BoglingsAndSkitters.h"

void PushMotion(int x, int y) {
  SDL_Event event{.motion = {SDL_MOUSEMOTION, 0, 0, Uint16(x), Uint16(y), 0, 0}};
  SDL_PushEvent(&event);
}
void PushButton(bool pressed, int x, int y, Uint8 button) {
  SDL_Event event{
      .button = {Uint8(pressed ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP), 0, button, pressed, Uint16(x), Uint16(y)}};
  SDL_PushEvent(&event);
}
void Frames(TGame& game, int count) {
  for (int i = 0; i < count; ++i) RunFrame(game, 0);
}
void Drag(TGame& game, const std::vector<TPoint>& points) {
  for (const TPoint& point : points) {
    PushMotion(point.X, point.Y);
    if (&point == &points.front()) PushButton(true, point.X, point.Y);
  }
  PushButton(false, points.back().X, points.back().Y);
  Frames(game, 1);
}

std::optional<std::vector<TPoint>> FindLine(const std::function<int(int, int)>& kindAt) {
  const auto kind = [&](int c, int r) {
    return c >= 0 && c < BoardSize && r >= 0 && r < BoardSize ? kindAt(c, r) : -1;
  };
  for (int cell = 0; cell < CellCount; ++cell) {
    for (const auto& [dc, dr] : {std::pair{1, 0}, {0, 1}, {1, 1}, {-1, 1}}) {
      const int c = cell % BoardSize, r = cell / BoardSize;
      if (kind(c, r) == kind(c + dc, r + dr) && kind(c, r) == kind(c + 2 * dc, r + 2 * dr)) {
        return std::vector{CellCentre(c, r), CellCentre(c + dc, r + dr), CellCentre(c + 2 * dc, r + 2 * dr)};
      }
    }
  }
  return std::nullopt;
}
