#include "Picture.h"

#include "LittleEndian.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace assetgen {

namespace {

constexpr int BmpHeaderSize = 14 + 40 + 12;  // file header, info header, three masks

// 4x4 Bayer matrix, centred on zero, in units of one 5-bit step / 16.
constexpr int Bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

uint16_t Quantise(double r, double g, double b) {
  auto level = [](double v, int max) {
    return static_cast<uint16_t>(std::clamp(std::lround(v * max / 255.0), 0L, static_cast<long>(max)));
  };
  uint16_t pixel = static_cast<uint16_t>(level(r, 31) << 11 | level(g, 63) << 5 | level(b, 31));
  // A visible pixel that rounds onto the key would vanish: lift its green by one step.
  return pixel == KeyPixel ? static_cast<uint16_t>(KeyPixel | 1 << 5) : pixel;
}

}  // namespace

Backdrop SolidBackdrop(Rgb colour) {
  return [colour](int, int) { return colour; };
}

uint16_t Pack565(Rgb c) { return Quantise(c.R, c.G, c.B); }

Rgb Unpack565(uint16_t p) {
  auto expand = [](int v, int bits) { return static_cast<uint8_t>((v << (8 - bits)) | (v >> (2 * bits - 8))); };
  return {expand(p >> 11 & 31, 5), expand(p >> 5 & 63, 6), expand(p & 31, 5)};
}

Picture Flatten(const std::string& name, cairo_surface_t* surface, const Backdrop& backdrop, uint8_t threshold,
                bool dither) {
  cairo_surface_flush(surface);
  Picture picture{name, cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface), {}};
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  picture.Pixels.reserve(static_cast<size_t>(picture.Width) * picture.Height);
  for (int y = 0; y < picture.Height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < picture.Width; ++x) {
      const uint32_t argb = row[x];
      const int alpha = argb >> 24;
      if (alpha < threshold) {
        picture.Pixels.push_back(KeyPixel);
        continue;
      }
      const Rgb under = backdrop(x, y);
      const double rest = (255 - alpha) / 255.0;
      const double offset = dither ? (Bayer[y % 4][x % 4] - 7.5) / 16.0 * 8.0 : 0.0;
      picture.Pixels.push_back(Quantise((argb >> 16 & 0xFF) + under.R * rest + offset,
                                        (argb >> 8 & 0xFF) + under.G * rest + offset / 2,
                                        (argb & 0xFF) + under.B * rest + offset));
    }
  }
  return picture;
}

void ClearOutsideRadius(Picture& picture, int cx, int cy, double radius) {
  for (int y = 0; y < picture.Height; ++y)
    for (int x = 0; x < picture.Width; ++x)
      if (std::hypot(x - cx, y - cy) > radius) picture.Pixels[static_cast<size_t>(y) * picture.Width + x] = KeyPixel;
}

std::vector<uint8_t> EncodeBmp(const Picture& picture) {
  const int rowBytes = (picture.Width * 2 + 3) / 4 * 4;
  const uint32_t imageSize = static_cast<uint32_t>(rowBytes * picture.Height);
  std::vector<uint8_t> out;
  out.reserve(BmpHeaderSize + imageSize);
  out.push_back('B');
  out.push_back('M');
  Put32(out, BmpHeaderSize + imageSize);
  Put32(out, 0);
  Put32(out, BmpHeaderSize);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(picture.Width));
  Put32(out, static_cast<uint32_t>(picture.Height));  // positive: bottom-up rows
  Put16(out, 1);
  Put16(out, 16);
  Put32(out, 3);  // BI_BITFIELDS
  Put32(out, imageSize);
  Put32(out, 2835);  // 72 dpi
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0xF800);
  Put32(out, 0x07E0);
  Put32(out, 0x001F);
  for (int y = picture.Height - 1; y >= 0; --y) {
    for (int x = 0; x < picture.Width; ++x) Put16(out, picture.At(x, y));
    for (int pad = picture.Width * 2; pad < rowBytes; ++pad) out.push_back(0);
  }
  return out;
}

}  // namespace assetgen
