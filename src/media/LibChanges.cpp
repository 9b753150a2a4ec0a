#include "media/LibChanges.h"

#include "media/SdlRect.h"

#include <algorithm>
#include <cstring>

namespace {

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
  constexpr int WordBytes = sizeof(uint64_t);
  int first = 0, end = bytes;
  while (first + WordBytes <= bytes && Word(row + first) == Word(shown + first)) first += WordBytes;
  while (first < bytes && row[first] == shown[first]) ++first;
  if (first == bytes) return false;
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

}  // namespace

std::vector<SDL_Rect> ChangedBands(const SDL_Surface& picture, std::vector<uint8_t>& shown, bool whole) {
  const int pixelBytes = picture.format->BytesPerPixel;
  const int rowBytes = picture.w * pixelBytes;
  const size_t frameBytes = static_cast<size_t>(rowBytes) * picture.h;
  whole = whole || shown.size() != frameBytes;
  shown.resize(frameBytes);
  std::vector<SDL_Rect> bands;
  for (int y = 0; y < picture.h; ++y) {
    const uint8_t* row = static_cast<const uint8_t*>(picture.pixels) + y * picture.pitch;
    uint8_t* copy = &shown[static_cast<size_t>(y) * rowBytes];
    TSpan span{0, rowBytes - 1};
    if (!whole && !Differs(row, copy, rowBytes, span)) continue;
    const int left = span.First / pixelBytes, right = span.Last / pixelBytes + 1;
    std::memcpy(copy + left * pixelBytes, row + left * pixelBytes, static_cast<size_t>(right - left) * pixelBytes);
    AddRow(bands, y, left, right);
  }
  return bands;
}
