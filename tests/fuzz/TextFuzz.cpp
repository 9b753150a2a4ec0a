// Arbitrary bytes as text, and arbitrary numbers, drawn anywhere on or off the screen: every byte
// maps to a cell and every position is clipped, whatever the input.

#include "FuzzSupport.h"

#include "media/LibGraphics.h"

#include <string_view>

namespace {

// A font strip of 43 ten-pixel cells, the last transparent, made once.
const SurfacePtr& FontStrip() {
  static const SurfacePtr strip = [] {
    SurfacePtr made(SDL_CreateRGBSurface(SDL_SWSURFACE, 430, 16, 16, 0xF800, 0x07E0, 0x001F, 0));
    SDL_FillRect(made.get(), nullptr, SDL_MapRGB(made->format, 200, 180, 40));
    SDL_Rect blank{420, 0, 10, 16};
    SDL_FillRect(made.get(), &blank, SDL_MapRGB(made->format, 255, 0, 255));
    SDL_SetColorKey(made.get(), SDL_SRCCOLORKEY, SDL_MapRGB(made->format, 255, 0, 255));
    return made;
  }();
  return strip;
}

int16_t Coordinate(const uint8_t* bytes) { return static_cast<int16_t>(bytes[0] | bytes[1] << 8); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  StartHeadlessMedia();
  const int x = Coordinate(data);
  const int y = Coordinate(data + 2);
  const uint32_t value = data[4] | data[5] << 8 | data[6] << 16 | uint32_t{data[7]} << 24;
  const std::string_view text(reinterpret_cast<const char*>(data + 8), size - 8);
  DrawText(FontStrip(), FontGlyphWidth, x, y, text);
  DrawNumber(FontStrip(), DigitGlyphWidth, y, x, value);
  return 0;
}
