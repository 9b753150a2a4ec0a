#include "AppIcon.h"

#include "Canvas.h"

#include <regex>
#include <stdexcept>

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

// A maskable icon's plate is stretched until its rounded corners lie outside the square, and its
// scene shrunk into the circle of 40% of the size that every system's mask keeps: the scene's
// farthest point, the moon's rim, lies 31.5 units from the centre, 25.2 once shrunk.
constexpr double PlateBleed = 1.3;
constexpr double SceneInMask = 0.8;

constexpr Rgb TaskBarShade{40, 40, 48};

// Draws icon.svg (or only its element) and the pieces into the square of side size at (at, at).
void DrawArt(cairo_t* cr, const std::filesystem::path& pictures, double at, double size, const char* element) {
  const double scale = size / IconUnits;
  DrawSvg(cr, pictures / "icon.svg", at, at, size, size, element);
  for (const Piece& piece : Pieces)
    DrawSvg(cr, pictures / piece.File, at + piece.X * scale, at + piece.Y * scale, piece.Width * scale,
            piece.Height * scale);
}

void DrawIcon(cairo_t* cr, const std::filesystem::path& pictures, double size) {
  DrawArt(cr, pictures, 0, size, nullptr);
}

void DrawMaskableIcon(cairo_t* cr, const std::filesystem::path& pictures, double size) {
  const double plate = size * PlateBleed, scene = size * SceneInMask;
  DrawSvg(cr, pictures / "icon.svg", (size - plate) / 2, (size - plate) / 2, plate, plate, "#plate");
  DrawArt(cr, pictures, (size - scene) / 2, scene, "#scene");
}

}  // namespace

Picture MakeWindowIcon(const std::filesystem::path& pictures) {
  Canvas canvas(WindowIconSize, WindowIconSize);
  DrawIcon(canvas.Cr(), pictures, WindowIconSize);
  return Flatten("icon", canvas.Surface(), SolidBackdrop(TaskBarShade));
}

void WriteIcons(const std::filesystem::path& pictures, const std::filesystem::path& dir,
                const std::vector<std::string>& names) {
  std::filesystem::create_directories(dir);
  const std::regex iconName("(maskable-)?([0-9]{1,4})x\\2");
  for (const std::string& name : names) {
    std::smatch parts;
    if (!std::regex_match(name, parts, iconName)) throw std::runtime_error("not an icon's name: " + name);
    const int size = std::stoi(parts[2]);
    Canvas canvas(size, size);
    (parts[1].matched ? DrawMaskableIcon : DrawIcon)(canvas.Cr(), pictures, size);
    SavePng(canvas, dir / (name + ".png"));
  }
  SaveSvg(dir / "scalable.svg", IconUnits, IconUnits, [&](cairo_t* cr) { DrawIcon(cr, pictures, IconUnits); });
}

}  // namespace assetgen
