// Any bytes as text and any numbers, drawn anywhere on or off the screen: every byte has a cell and
// every position is clipped.

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  StartHeadless(true);
  static const SurfacePtr font = [] {
    WriteFixtureAssets();
    return LoadSprite("sprites/font.dat");
  }();
  static const SurfacePtr digits = LoadSprite("sprites/numbers.dat");
  int16_t x, y;
  uint32_t value;
  std::memcpy(&x, data, 2);
  std::memcpy(&y, data + 2, 2);
  std::memcpy(&value, data + 4, 4);
  DrawText(font, FontGlyphWidth, x, y, std::string_view(reinterpret_cast<const char*>(data + 8), size - 8));
  DrawNumber(digits, DigitGlyphWidth, y, x, value);
  return 0;
}
