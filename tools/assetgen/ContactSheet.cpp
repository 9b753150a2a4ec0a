#include "ContactSheet.h"

#include "Canvas.h"

#include <algorithm>
#include <stdexcept>

namespace assetgen {

namespace {

constexpr int CellWidth = 330, CellHeight = 250, Columns = 6, Label = 18;

// Paints the picture at (x, y) enlarged `scale` times, with a grey check where it is transparent.
void PaintEnlarged(cairo_t* cr, const Picture& picture, int x, int y, int scale) {
  for (int py = 0; py < picture.Height; ++py)
    for (int px = 0; px < picture.Width; ++px) {
      const uint16_t pixel = picture.At(px, py);
      if (pixel == KeyPixel) {
        const double check = ((px / 2 + py / 2) % 2) ? 0.42 : 0.36;
        cairo_set_source_rgb(cr, check, check, check);
      } else {
        const Rgb c = Unpack565(pixel);
        cairo_set_source_rgb(cr, c.R / 255.0, c.G / 255.0, c.B / 255.0);
      }
      cairo_rectangle(cr, x + px * scale, y + py * scale, scale, scale);
      cairo_fill(cr);
    }
}

int ScaleToFit(const Picture& picture, int width, int height) {
  return std::clamp(std::min(width / picture.Width, height / picture.Height), 1, 8);
}

void SavePng(const Canvas& canvas, const std::filesystem::path& file) {
  if (cairo_surface_write_to_png(canvas.Surface(), file.c_str()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot write " + file.string());
}

}  // namespace

void WriteContactSheet(const std::vector<Picture>& pictures, const std::filesystem::path& file) {
  const int rows = (static_cast<int>(pictures.size()) + Columns - 1) / Columns;
  Canvas sheet(CellWidth * Columns, CellHeight * rows);
  cairo_t* cr = sheet.Cr();
  cairo_set_source_rgb(cr, 0.16, 0.16, 0.18);
  cairo_paint(cr);
  const auto previews = file.parent_path() / "preview";
  std::filesystem::create_directories(previews);
  for (size_t i = 0; i < pictures.size(); ++i) {
    const Picture& picture = pictures[i];
    const int x = static_cast<int>(i % Columns) * CellWidth, y = static_cast<int>(i / Columns) * CellHeight;
    PaintEnlarged(cr, picture, x + 4, y + Label, ScaleToFit(picture, CellWidth - 8, CellHeight - Label - 4));
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_set_font_face(cr, FontFace(BOGLINGS_PLAIN_FONT));
    cairo_set_font_size(cr, 13);
    cairo_move_to(cr, x + 4, y + 14);
    const std::string label = picture.Name + "  " + std::to_string(picture.Width) + "x" + std::to_string(picture.Height);
    cairo_show_text(cr, label.c_str());
    const int scale = ScaleToFit(picture, 900, 700);
    Canvas single(picture.Width * scale, picture.Height * scale);
    PaintEnlarged(single.Cr(), picture, 0, 0, scale);
    SavePng(single, previews / (picture.Name + ".png"));
  }
  SavePng(sheet, file);
}

}  // namespace assetgen
