#include "AppIcon.h"

#include "Canvas.h"

#include <string>

namespace assetgen {

namespace {

constexpr double IconUnits = 64;  // icon.svg's grid

// Pieces of the game's own art laid over the plate, in icon units: the pumpkin tile fills the
// disc the way it fills a tile on the board, and the title's bat crosses the moon.
struct Piece {
  const char* File;
  double X, Y, Width, Height;
};
constexpr Piece Pieces[] = {{"pumpkin.svg", 14, 18, 36, 36}, {"titlebat.svg", 36, 11, 18, 9.75}};

constexpr Rgb TaskBarShade{40, 40, 48};

void DrawIcon(cairo_t* cr, const std::filesystem::path& pictures, double size) {
  const double scale = size / IconUnits;
  DrawSvg(cr, pictures / "icon.svg", 0, 0, size, size);
  for (const Piece& piece : Pieces)
    DrawSvg(cr, pictures / piece.File, piece.X * scale, piece.Y * scale, piece.Width * scale, piece.Height * scale);
}

}  // namespace

Picture MakeWindowIcon(const std::filesystem::path& pictures) {
  Canvas canvas(WindowIconSize, WindowIconSize);
  DrawIcon(canvas.Cr(), pictures, WindowIconSize);
  return Flatten("icon", canvas.Surface(), SolidBackdrop(TaskBarShade));
}

void WriteDesktopIcons(const std::filesystem::path& pictures, const std::filesystem::path& dir,
                       const std::vector<int>& sizes) {
  std::filesystem::create_directories(dir);
  for (const int size : sizes) {
    Canvas canvas(size, size);
    DrawIcon(canvas.Cr(), pictures, size);
    SavePng(canvas, dir / (std::to_string(size) + "x" + std::to_string(size) + ".png"));
  }
  SaveSvg(dir / "scalable.svg", IconUnits, IconUnits, [&](cairo_t* cr) { DrawIcon(cr, pictures, IconUnits); });
}

}  // namespace assetgen
