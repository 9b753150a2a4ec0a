#include "e2e/ScreenReader.h"

#include "media/LibFiles.h"

#include <stdexcept>

namespace {

constexpr int FontCellWidth = 10;
constexpr int DigitCellWidth = 12;
constexpr int DigitCount = 10;
constexpr int LongestNumber = 10;  // digits of 4294967295

// The font strip's cell for a character, worked out here on its own so that the game's table
// is checked rather than trusted.
int GlyphOf(char character) {
  constexpr std::string_view Glyphs = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,!?@'";
  const char upper = (character >= 'a' && character <= 'z') ? static_cast<char>(character - 'a' + 'A') : character;
  const size_t at = Glyphs.find(upper);
  return at == std::string_view::npos ? static_cast<int>(Glyphs.size()) : static_cast<int>(at);
}

Sprite FromSurface(const SDL_Surface& surface) {
  Sprite sprite{Image(surface.w, surface.h), std::vector<bool>(static_cast<size_t>(surface.w) * surface.h)};
  Rgb key{};
  SDL_GetRGB(SDL_MapRGB(surface.format, Magenta.R, Magenta.G, Magenta.B), surface.format, &key.R, &key.G, &key.B);
  for (int y = 0; y < surface.h; ++y) {
    for (int x = 0; x < surface.w; ++x) {
      sprite.Colours.At(x, y) = PixelAt(surface, x, y);
      sprite.Opaque[static_cast<size_t>(y) * surface.w + x] = !(sprite.Colours.At(x, y) == key);
    }
  }
  return sprite;
}

struct Match {
  int Ink = 0;        // opaque pixels compared
  int Different = 0;  // of them, those the shot does not show
  bool Whole() const { return Ink > 0 && Different == 0; }
};

// Compares the source box of the sprite, placed with the box's corner at (x, y), with the shot.
Match Compare(const Image& shot, const Sprite& sprite, Box source, int x, int y) {
  Match match;
  for (int sy = 0; sy < source.H; ++sy) {
    for (int sx = 0; sx < source.W; ++sx) {
      if (!sprite.IsOpaque(source.X + sx, source.Y + sy)) continue;
      ++match.Ink;
      const int px = x + sx, py = y + sy;
      if (!shot.Contains(px, py) || !SameOnScreen(shot.At(px, py), sprite.Colours.At(source.X + sx, source.Y + sy))) {
        ++match.Different;
      }
    }
  }
  return match;
}

}  // namespace

ScreenReader::ScreenReader(std::filesystem::path spritesDir) : SpritesDir(std::move(spritesDir)) {}

const Sprite& ScreenReader::Picture(const std::string& name) {
  auto found = Loaded.find(name);
  if (found != Loaded.end()) return found->second;
  const std::string file = (SpritesDir / (name + ".dat")).string();
  const SurfacePtr surface = LoadBitmapDat(file.c_str());
  if (!surface) throw std::runtime_error("cannot decode " + file + ": " + SDL_GetError());
  return Loaded.emplace(name, FromSurface(*surface)).first->second;
}

bool ScreenReader::ShowsPicture(const Image& shot, const std::string& name, int x, int y) {
  const Sprite& sprite = Picture(name);
  return Compare(shot, sprite, {0, 0, sprite.Colours.W, sprite.Colours.H}, x, y).Whole();
}

bool ScreenReader::ShowsPictureCentred(const Image& shot, const std::string& name, int x, int y) {
  const Sprite& sprite = Picture(name);
  return ShowsPicture(shot, name, x - sprite.Colours.W / 2, y - sprite.Colours.H / 2);
}

bool ScreenReader::ShowsText(const Image& shot, int x, int y, std::string_view text) {
  const Sprite& font = Picture("font");
  bool anyInk = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const Box cell{GlyphOf(text[i]) * FontCellWidth, 0, FontCellWidth, font.Colours.H};
    const Match match = Compare(shot, font, cell, x + FontCellWidth * static_cast<int>(i), y);
    if (match.Different > 0) return false;
    anyInk = anyInk || match.Ink > 0;
  }
  return anyInk;
}

int ScreenReader::BestCell(const Image& shot, const Sprite& strip, int cellWidth, int cellCount, int x, int y) {
  int best = -1, bestInk = 0;
  for (int cell = 0; cell < cellCount; ++cell) {
    const Match match = Compare(shot, strip, {cell * cellWidth, 0, cellWidth, strip.Colours.H}, x, y);
    if (match.Whole() && match.Ink > bestInk) {
      best = cell;
      bestInk = match.Ink;
    }
  }
  return best;
}

std::optional<uint32_t> ScreenReader::ReadNumber(const Image& shot, int x, int y) {
  const Sprite& digits = Picture("numbers");
  std::optional<uint32_t> value;
  for (int place = 0; place < LongestNumber; ++place) {
    const int digit = BestCell(shot, digits, DigitCellWidth, DigitCount, x + DigitCellWidth * place, y);
    if (digit < 0) break;
    value = value.value_or(0) * 10 + static_cast<uint32_t>(digit);
  }
  return value;
}

int ScreenReader::KindAt(const Image& shot, int column, int row) {
  const Point centre = CellCentre(column, row);
  for (size_t kind = 0; kind < TileNames.size(); ++kind) {
    if (ShowsPictureCentred(shot, TileNames[kind], centre.X, centre.Y)) return static_cast<int>(kind);
  }
  return -1;
}

std::optional<BoardKinds> ScreenReader::ReadBoard(const Image& shot) {
  BoardKinds board{};
  for (int col = 0; col < BoardSize; ++col) {
    for (int row = 0; row < BoardSize; ++row) {
      board[col][row] = KindAt(shot, col, row);
      if (board[col][row] < 0) return std::nullopt;
    }
  }
  return board;
}
