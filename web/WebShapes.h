#pragma once
// The pixel sets of SDL_gfx's filled circle, as rows of spans: what the browser's build draws in
// place of SDL_gfx, which Emscripten lacks. Plain data, so the desktop's tests hold it against the
// real SDL_gfx.

#include <algorithm>
#include <vector>

// HalfWidths(r)[dy]: the disc of radius r covers x - w to x + w on the rows y - dy and y + dy, w the
// entry. Midpoint circle steps through the first octant; each step spans its mirror row (dy = x) to
// y, and a row reached anew from above (dy = y) only to the first x that reached it, as SDL_gfx does.
inline std::vector<int> HalfWidths(int radius) {
  std::vector<int> widths(radius + 1, 0);
  int x = 0, y = radius, decision = 1 - radius, lastRow = -1;
  while (x <= y) {
    if (y != lastRow) widths[y] = std::max(widths[y], x), lastRow = y;
    if (x != y) widths[x] = std::max(widths[x], y);
    if (decision < 0) {
      decision += 2 * x + 3;
    } else {
      decision += 2 * (x - y) + 5;
      --y;
    }
    ++x;
  }
  return widths;
}
