// Arbitrary bytes as text, and arbitrary numbers, drawn anywhere on or off the screen: every byte
// maps to a cell and every position is clipped, whatever the input.

#include "FuzzSupport.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  StartHeadlessMedia();
  static const SurfacePtr font = [] { return WriteFixtureAssets(), LoadSprite("sprites/font.dat"); }();
  static const SurfacePtr digits = LoadSprite("sprites/numbers.dat");
  const int x = static_cast<int16_t>(data[0] | data[1] << 8), y = static_cast<int16_t>(data[2] | data[3] << 8);
  const uint32_t value = data[4] | data[5] << 8 | data[6] << 16 | uint32_t{data[7]} << 24;
  DrawText(font, FontGlyphWidth, x, y, std::string_view(reinterpret_cast<const char*>(data + 8), size - 8));
  DrawNumber(digits, DigitGlyphWidth, y, x, value);
  return 0;
}
