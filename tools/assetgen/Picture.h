#pragma once
// Pictures as the game stores them: 16-bit 5-6-5 pixels, magenta (0xF81F) for "not drawn".

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace assetgen {

struct Rgb {
  uint8_t R = 0, G = 0, B = 0;
};

// The colour a picture pixel is drawn over; anti-aliased edges are blended into it so that no
// partly covered pixel turns pink or transparent in the game.
using Backdrop = std::function<Rgb(int x, int y)>;

Backdrop SolidBackdrop(Rgb colour);

constexpr uint16_t KeyPixel = 0xF81F;  // (255, 0, 255) in 5-6-5

struct Picture {
  std::string Name;  // file stem under sprites/
  int Width = 0;
  int Height = 0;
  std::vector<uint16_t> Pixels;  // row-major, top row first

  uint16_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

uint16_t Pack565(Rgb colour);
Rgb Unpack565(uint16_t pixel);

// Turns a premultiplied ARGB32 cairo surface into a picture: pixels with alpha below `threshold`
// become the key, the others are composited over the backdrop. `dither` adds an ordered dither
// before the 5-6-5 rounding (for smooth gradients). An opaque pixel never lands on the key.
Picture Flatten(const std::string& name, cairo_surface_t* surface, const Backdrop& backdrop, uint8_t threshold = 100,
                bool dither = false);

// Makes every pixel whose centre lies farther than `radius` from (cx, cy) transparent.
void ClearOutsideRadius(Picture& picture, int cx, int cy, double radius);

// The plain BMP file: BITMAPINFOHEADER with BI_BITFIELDS masks for 5-6-5, rows bottom-up.
std::vector<uint8_t> EncodeBmp(const Picture& picture);

}  // namespace assetgen
