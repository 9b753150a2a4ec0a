#pragma once
// Reads the game's window as a player does: recognises the game's own pictures, text in its font
// strip, numbers in its digit strip and the tiles on the board. The pictures are loaded from the
// generated asset files with the game's own loader, so what is compared is what the game draws.

#include "e2e/Image.h"
#include "support/Player.h"

#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

// A picture as blits put it on screen: its colours, and the pixels the magenta key leaves out.
struct Sprite {
  Image Colours;
  std::vector<bool> Opaque;
  bool IsOpaque(int x, int y) const { return Opaque[static_cast<size_t>(y) * Colours.W + x]; }
};

// The tile kinds by picture, in the game's kind order.
constexpr std::array<const char*, 6> TileNames = {"pumpkin", "ghost", "spider", "witcheshat", "bat", "cat"};

using Point = TScreenPoint;
// The kind in each cell, indexed [column][row].
using BoardKinds = std::array<std::array<int, BoardSize>, BoardSize>;

class ScreenReader {
 public:
  // spritesDir holds the game's sprites/*.dat files.
  explicit ScreenReader(std::filesystem::path spritesDir);

  // The picture sprites/<name>.dat, loaded on first use; throws when it cannot be read or decoded.
  const Sprite& Picture(const std::string& name);

  // Every opaque pixel of the picture shows, with its top-left corner or its centre at (x, y).
  bool ShowsPicture(const Image& shot, const std::string& name, int x, int y);
  bool ShowsPictureCentred(const Image& shot, const std::string& name, int x, int y);
  // Every character's glyph shows, the first with its top-left corner at (x, y).
  bool ShowsText(const Image& shot, int x, int y, std::string_view text);
  // The number drawn with the digit strip from (x, y), or none when no digit shows there.
  std::optional<uint32_t> ReadNumber(const Image& shot, int x, int y);
  // The kind in every cell of a board at rest, or none while any cell shows no whole tile.
  std::optional<BoardKinds> ReadBoard(const Image& shot);

 private:
  // The best-fitting cell of a strip at (x, y): the one whose opaque pixels all show, the one
  // with the most ink when several do. -1 when none does.
  int BestCell(const Image& shot, const Sprite& strip, int cellWidth, int cellCount, int x, int y);
  int KindAt(const Image& shot, int column, int row);

  std::filesystem::path SpritesDir;
  std::map<std::string, Sprite> Loaded;
};
