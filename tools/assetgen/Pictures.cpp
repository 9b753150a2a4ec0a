#include "Pictures.h"

#include "AppIcon.h"
#include "Canvas.h"
#include "PixelFont.h"
#include "Scenery.h"
#include "Words.h"
#include "game/GameLayout.h"
#include "shell/MuteSign.h"

#include <algorithm>
#include <iterator>

namespace assetgen {

namespace {

constexpr Rgb DiscBrown{125, 95, 25};  // the disc every tile is drawn on
constexpr Rgb PanelShade{22, 10, 40};  // roughly the board's plate, under sparks and the pointer

// Where a picture is drawn: centred on (X, Y), with its corner there, or anywhere (over the
// board's plate, like the sparks and the pointer).
enum class Anchor { Centre, Corner, Anywhere };
struct Spot {
  Anchor Kind;
  int X = 0, Y = 0;
};

struct SvgPicture {
  const char* Name;
  int Width, Height;
  Spot Place;
};

// The head-up display down the left, the quit button, the sign that the sound is off, the spark
// and the pointer.
constexpr SvgPicture Icons[] = {
    {"lives", 32, 32, {Anchor::Centre, HudIconX, HudIconY(0)}},
    {"score", 32, 32, {Anchor::Centre, HudIconX, HudIconY(1)}},
    {"tiles", 32, 32, {Anchor::Centre, HudIconX, HudIconY(2)}},
    {"wand", 32, 32, {Anchor::Centre, HudIconX, HudIconY(3)}},
    {"quit", 32, 32, {Anchor::Corner, QuitX, QuitY}},
    {"mute", 26, 20, {Anchor::Corner, MuteSignX, MuteSignY}},
    {"star", 11, 11, {Anchor::Anywhere}},
    {"hand", 26, 30, {Anchor::Anywhere}},
};

constexpr const char* TileNames[] = {"pumpkin", "ghost", "spider", "witcheshat", "bat", "cat"};

struct MenuEntry {
  const char* Name;
  const char* Words;
};
constexpr MenuEntry MenuEntries[] = {
    {"howtoplay", "How to play"}, {"newgame", "New game"}, {"highscores", "High scores"},
    {"credits", "Credits"},       {"exit", "Exit"},
};

class ScreenBackdrop {
 public:
  explicit ScreenBackdrop(const Canvas& background) : Background(background) {}

  Backdrop At(int cornerX, int cornerY) const {
    const unsigned char* data = cairo_image_surface_get_data(Background.Surface());
    const int stride = cairo_image_surface_get_stride(Background.Surface());
    return [=](int x, int y) {
      const int sx = std::clamp(cornerX + x, 0, ScreenWidth - 1), sy = std::clamp(cornerY + y, 0, ScreenHeight - 1);
      const uint32_t argb = reinterpret_cast<const uint32_t*>(data + static_cast<std::ptrdiff_t>(sy) * stride)[sx];
      return Rgb{static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 8), static_cast<uint8_t>(argb)};
    };
  }

 private:
  const Canvas& Background;
};

Picture Tile(const std::filesystem::path& pictures, const char* name) {
  Canvas canvas(TileSize, TileSize);
  // The art is drawn on a 48-unit grid whose centre (24, 24) lands on the centre of pixel 24,
  // a little enlarged so that its 22-unit circle nearly fills the 24 pixels inside the ring.
  constexpr double Scale = 1.06, Size = 2 * TileRadius * Scale, Corner = TileRadius + 0.5 - Size / 2;
  DrawSvg(canvas.Cr(), pictures / (std::string(name) + ".svg"), Corner, Corner, Size, Size);
  Picture picture = Flatten(name, canvas.Surface(), SolidBackdrop(DiscBrown));
  ClearOutsideRadius(picture, TileRadius, TileRadius, TileRadius);
  return picture;
}

Picture Icon(const std::filesystem::path& pictures, const SvgPicture& icon, const ScreenBackdrop& screen) {
  Canvas canvas(icon.Width, icon.Height);
  DrawSvg(canvas.Cr(), pictures / (std::string(icon.Name) + ".svg"), 0, 0, icon.Width, icon.Height);
  const Spot& at = icon.Place;
  const Backdrop under = at.Kind == Anchor::Anywhere ? SolidBackdrop(PanelShade)
                         : at.Kind == Anchor::Corner ? screen.At(at.X, at.Y)
                                                     : screen.At(at.X - icon.Width / 2, at.Y - icon.Height / 2);
  return Flatten(icon.Name, canvas.Surface(), under);
}

}  // namespace

std::vector<Picture> MakePictures(const std::filesystem::path& assets) {
  const auto art = assets / "pictures";
  Canvas background(ScreenWidth, ScreenHeight);
  PaintBackground(background);
  const ScreenBackdrop screen(background);
  const BackdropAt at = [&screen](int x, int y) { return screen.At(x, y); };

  std::vector<Picture> pictures;
  pictures.push_back(Flatten("background", background.Surface(), SolidBackdrop({0, 0, 0}), 0, true));
  for (Picture& strip : MakeGlyphStrips(assets / "font" / "glyphs.txt")) pictures.push_back(std::move(strip));
  pictures.push_back(MakeTitle(art / "titlebat.svg", at));
  pictures.push_back(MakeMakerLogo(art / "lanternmoth.svg"));
  for (const char* name : TileNames) pictures.push_back(Tile(art, name));
  for (int i = 0; i < static_cast<int>(std::size(MenuEntries)); ++i)
    pictures.push_back(MakeMenuEntry(MenuEntries[i].Name, MenuEntries[i].Words, i, at));
  pictures.push_back(MakeBack(at));
  pictures.push_back(MakePausedPanel(art / "ghost.svg", at));
  for (const SvgPicture& icon : Icons) pictures.push_back(Icon(art, icon, screen));
  pictures.push_back(MakeWindowIcon(art));
  return pictures;
}

}  // namespace assetgen
