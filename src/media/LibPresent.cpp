#include "media/LibPresent.h"

#include "media/SdlRect.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// The frame the window shows, row after row without the surface's row padding.
std::vector<uint8_t> Shown;
bool ShowWhole = true;

struct TSpan {
  int First, Last;  // bytes, Last included
};

uint64_t Word(const uint8_t* bytes) {
  uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

// The first and the last byte at which two rows of equal length differ; false when they are equal.
// Most rows are equal, and a changed row is searched a word at a time from either end.
bool Differs(const uint8_t* row, const uint8_t* shown, int bytes, TSpan& span) {
  if (std::memcmp(row, shown, bytes) == 0) return false;
  constexpr int WordBytes = sizeof(uint64_t);
  int first = 0, end = bytes;
  while (first + WordBytes <= bytes && Word(row + first) == Word(shown + first)) first += WordBytes;
  while (row[first] == shown[first]) ++first;
  while (end - WordBytes >= first && Word(row + end - WordBytes) == Word(shown + end - WordBytes)) end -= WordBytes;
  while (row[end - 1] == shown[end - 1]) --end;
  span = {first, end - 1};
  return true;
}

// Widens the last band by one row when that row follows it, or starts a new band.
void AddRow(std::vector<SDL_Rect>& bands, int y, int left, int right) {
  if (!bands.empty() && bands.back().y + bands.back().h == y) {
    SDL_Rect& band = bands.back();
    const int bandLeft = std::min<int>(band.x, left), bandRight = std::max(band.x + band.w, right);
    band = MakeRect(bandLeft, band.y, bandRight - bandLeft, band.h + 1);
  } else {
    bands.push_back(MakeRect(left, y, right - left, 1));
  }
}

// sdl12-compat (SDL 1.2 over SDL 2, which reports itself as 1.2.50 and up) shows an update of part
// of the screen only at a later event poll, once a display refresh has passed since it last
// showed one, so the window would lag a frame behind and skip frames; an update of the whole
// screen it shows at once. It redraws the whole window for every update anyway, so handing it all
// of a changed frame costs little more.
bool ShowsPartsLate() {
  static const bool late = SDL_Linked_Version()->patch >= 50;
  return late;
}

}  // namespace

void PresentWholeScreenNext() { ShowWhole = true; }

void PresentScreen(SDL_Surface* screen) {
  const int pixelBytes = screen->format->BytesPerPixel;
  const int rowBytes = screen->w * pixelBytes;
  const size_t frameBytes = static_cast<size_t>(rowBytes) * screen->h;
  const bool whole = ShowWhole || Shown.size() != frameBytes;
  if (SDL_MUSTLOCK(screen) && SDL_LockSurface(screen) != 0) return;
  Shown.resize(frameBytes);
  std::vector<SDL_Rect> bands;
  for (int y = 0; y < screen->h; ++y) {
    const uint8_t* row = static_cast<const uint8_t*>(screen->pixels) + y * screen->pitch;
    uint8_t* shown = &Shown[static_cast<size_t>(y) * rowBytes];
    TSpan span{0, rowBytes - 1};
    if (!whole && !Differs(row, shown, rowBytes, span)) continue;
    const int left = span.First / pixelBytes, right = span.Last / pixelBytes + 1;
    std::memcpy(shown + left * pixelBytes, row + left * pixelBytes, static_cast<size_t>(right - left) * pixelBytes);
    AddRow(bands, y, left, right);
  }
  if (SDL_MUSTLOCK(screen)) SDL_UnlockSurface(screen);
  if (!bands.empty() && ShowsPartsLate()) {
    SDL_UpdateRect(screen, 0, 0, 0, 0);
  } else if (!bands.empty()) {
    SDL_UpdateRects(screen, static_cast<int>(bands.size()), bands.data());
  }
  ShowWhole = false;
}
