// Arbitrary bytes as text, and arbitrary numbers, drawn anywhere on or off the screen: every byte
// maps to a cell and every position is clipped, whatever the input.

#include "FuzzSupport.h"


#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  StartHeadlessMedia();
  // A font strip of 43 ten-pixel cells, the last transparent.
  static const SurfacePtr strip = [] {
    SurfacePtr made(SDL_CreateRGBSurface(SDL_SWSURFACE, 430, 16, 16, 0xF800, 0x07E0, 0x001F, 0));
    SDL_FillRect(made.get(), nullptr, SDL_MapRGB(made->format, 200, 180, 40));
    SDL_Rect blank{420, 0, 10, 16};
    SDL_FillRect(made.get(), &blank, SDL_MapRGB(made->format, 255, 0, 255));
    SDL_SetColorKey(made.get(), SDL_SRCCOLORKEY, SDL_MapRGB(made->format, 255, 0, 255));
    return made;
  }();
  const int x = static_cast<int16_t>(data[0] | data[1] << 8), y = static_cast<int16_t>(data[2] | data[3] << 8);
  const uint32_t value = data[4] | data[5] << 8 | data[6] << 16 | uint32_t{data[7]} << 24;
  DrawText(strip, FontGlyphWidth, x, y, std::string_view(reinterpret_cast<const char*>(data + 8), size - 8));
  DrawNumber(strip, DigitGlyphWidth, y, x, value);
  return 0;
}
