#include "e2e/Image.h"

#include <cairo.h>

#include <memory>
#include <stdexcept>

bool SameInBox(const Image& a, const Image& b, Box box) {
  for (int y = box.Y; y < box.Y + box.H; ++y) {
    for (int x = box.X; x < box.X + box.W; ++x) {
      if (!a.Contains(x, y) || !b.Contains(x, y) || !(a.At(x, y) == b.At(x, y))) return false;
    }
  }
  return true;
}

bool SameOnScreen(Rgb a, Rgb b) {
  return (a.R >> 3) == (b.R >> 3) && (a.G >> 2) == (b.G >> 2) && (a.B >> 3) == (b.B >> 3);
}

void WritePng(const std::filesystem::path& file, const Image& image) {
  const std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> png(
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.W, image.H), cairo_surface_destroy);
  cairo_surface_flush(png.get());
  uint8_t* const rows = cairo_image_surface_get_data(png.get());
  for (int y = 0; y < image.H; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(rows + y * cairo_image_surface_get_stride(png.get()));
    for (int x = 0; x < image.W; ++x) row[x] = uint32_t{image.At(x, y).R} << 16 | image.At(x, y).G << 8 | image.At(x, y).B;
  }
  cairo_surface_mark_dirty(png.get());
  if (cairo_surface_write_to_png(png.get(), file.c_str()) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error("cannot write " + file.string());
  }
}
