#include "ContactSheet.h"

#include "Canvas.h"

#include <algorithm>

namespace assetgen {

namespace {

constexpr int SheetWidth = 1960, RowHeight = 220, Gap = 12, Label = 18, MaxScale = 6;

// The picture as the game shows it, with a grey check where it is transparent.
Canvas Decoded(const Picture& picture) {
  Canvas canvas(picture.Width, picture.Height);
  cairo_surface_flush(canvas.Surface());
  unsigned char* data = cairo_image_surface_get_data(canvas.Surface());
  const int stride = cairo_image_surface_get_stride(canvas.Surface());
  for (int y = 0; y < picture.Height; ++y)
    for (int x = 0; x < picture.Width; ++x) {
      const uint16_t pixel = picture.At(x, y);
      const uint8_t check = ((x / 2 + y / 2) % 2) ? 107 : 92;
      const Rgb c = pixel == KeyPixel ? Rgb{check, check, check} : Unpack565(pixel);
      reinterpret_cast<uint32_t*>(data + y * stride)[x] = 0xFF000000u | c.R << 16 | c.G << 8 | c.B;
    }
  cairo_surface_mark_dirty(canvas.Surface());
  return canvas;
}

// Whole-number enlargements keep pixels square; nothing is shown smaller than it is.
int ScaleFor(const Picture& picture, int width, int height) {
  return std::clamp(std::min(width / picture.Width, height / picture.Height), 1, MaxScale);
}

void PaintScaled(cairo_t* cr, const Picture& picture, double x, double y, double scale) {
  const Canvas decoded = Decoded(picture);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  cairo_set_source_surface(cr, decoded.Surface(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  cairo_restore(cr);
}

struct Placement {
  double X, Y, Scale;
};

// Flows the pictures left to right; each row is as tall as its tallest picture.
std::vector<Placement> Layout(const std::vector<Picture>& pictures, int& sheetHeight) {
  std::vector<Placement> places;
  int x = Gap, y = Gap, rowHeight = 0;
  for (const Picture& picture : pictures) {
    const int scale = ScaleFor(picture, SheetWidth - 2 * Gap, RowHeight - Label);
    const int width = std::max(picture.Width * scale, 150);
    if (x + width > SheetWidth - Gap) x = Gap, y += rowHeight + Gap, rowHeight = 0;
    places.push_back({static_cast<double>(x), static_cast<double>(y), static_cast<double>(scale)});
    x += width + Gap;
    rowHeight = std::max(rowHeight, picture.Height * scale + Label);
  }
  sheetHeight = y + rowHeight + Gap;
  return places;
}

}  // namespace

void WriteContactSheet(const std::vector<Picture>& pictures, const std::filesystem::path& file) {
  int height = 0;
  const std::vector<Placement> places = Layout(pictures, height);
  Canvas sheet(SheetWidth, height);
  cairo_t* cr = sheet.Cr();
  cairo_set_source_rgb(cr, 0.16, 0.16, 0.18);
  cairo_paint(cr);
  cairo_set_font_face(cr, FontFace(BOGLINGS_PLAIN_FONT));
  cairo_set_font_size(cr, 13);
  const auto previews = file.parent_path() / "preview";
  std::filesystem::create_directories(previews);
  for (size_t i = 0; i < pictures.size(); ++i) {
    const Picture& picture = pictures[i];
    PaintScaled(cr, picture, places[i].X, places[i].Y + Label, places[i].Scale);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_move_to(cr, places[i].X, places[i].Y + 13);
    const std::string label =
        picture.Name + "  " + std::to_string(picture.Width) + "x" + std::to_string(picture.Height);
    cairo_show_text(cr, label.c_str());
    const int scale = ScaleFor(picture, 900, 700);
    Canvas single(static_cast<int>(picture.Width * scale), static_cast<int>(picture.Height * scale));
    PaintScaled(single.Cr(), picture, 0, 0, scale);
    SavePng(single, previews / (picture.Name + ".png"));
  }
  SavePng(sheet, file);
}

}  // namespace assetgen
