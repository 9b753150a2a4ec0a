#pragma once
// Real SDL events through the real frame loop, for tests and benchmarks.

#include "game/LibBoard.h"
#include "media/LibScale.h"
#include "shell/BoglingsAndSkitters.h"

#include <SDL.h>

#include <functional>
#include <optional>
#include <vector>

inline void PushMotion(int x, int y, Uint8 device = 0) {
  SDL_Event event{.motion = {SDL_MOUSEMOTION, device, 0, Uint16(x), Uint16(y), 0, 0}};
  SDL_PushEvent(&event);
}
inline void PushButton(bool pressed, int x, int y, Uint8 button = SDL_BUTTON_LEFT, Uint8 device = 0) {
  SDL_Event event{.button = {Uint8(pressed ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP), device, button, pressed,
                             Uint16(x), Uint16(y)}};
  SDL_PushEvent(&event);
}
inline void PushKey(SDLKey key, bool down) {
  SDL_Event event{.key = {Uint8(down ? SDL_KEYDOWN : SDL_KEYUP), 0, Uint8(down), {0, key, KMOD_NONE, 0}}};
  SDL_PushEvent(&event);
}
inline void Frames(TGame& game, int count) {  // of the real loop, without its pause
  for (int i = 0; i < count; ++i) RunFrame(game, 0);
}
inline void Drag(TGame& game, const std::vector<TPoint>& points) {  // pressed on the first, one frame
  for (const TPoint& point : points) {
    PushMotion(point.X, point.Y);
    if (&point == &points.front()) PushButton(true, point.X, point.Y);
  }
  PushButton(false, points.back().X, points.back().Y);
  Frames(game, 1);
}
inline void Keys(TGame& game, std::initializer_list<SDLKey> keys) {  // each down and up, a frame each
  for (const SDLKey key : keys) {
    PushKey(key, true);
    PushKey(key, false);
    Frames(game, 1);
  }
}
inline void Click(TGame& game, int x, int y) { Drag(game, {{x, y}}); }
inline TPoint CellCentre(int column, int row) { return {213 + 64 * column, 40 + 64 * row}; }
// The corner of the name keyboard's letter.
inline TPoint KeyAt(char key) { return {300 + 15 * ((key - 'a') % 13), 160 + 20 * ((key - 'a') / 13)}; }

// Some straight line of three cells of equal kindAt(column, row), in drag order.
inline std::optional<std::vector<TPoint>> FindLine(const std::function<int(int, int)>& kindAt) {
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
