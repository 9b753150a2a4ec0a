#pragma once
// Where the puzzle screen puts things, in screen pixels. Shared by the rules (press areas, the
// board under the pointer, bursts), the drawing and the asset generator, which blends the icons'
// edges into the background where they stand.

// Board point (x, y) is drawn at screen point (x + BoardOriginX, y + BoardOriginY).
constexpr int BoardOriginX = 213;
constexpr int BoardOriginY = 40;

// Press areas: lower bounds included, upper bounds excluded.
struct TArea {
  int Left, Top, Right, Bottom;
  bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
};
constexpr int QuitX = 15, QuitY = 15;  // the quit button's top-left corner
constexpr TArea QuitButton{QuitX, QuitY, QuitX + 32, QuitY + 32};
constexpr int HudIconX = 40;  // head-up icons are centred on this column
// The centre row of head-up row 0 to 3: lives, score, tiles to clear, the wand.
constexpr int HudIconY(int row) { return 330 + 38 * row; }
constexpr int WandY = HudIconY(3);
constexpr TArea HintButton{HudIconX - 16, WandY - 16, HudIconX + 16, WandY + 16};

// The panel that hides the board during a pause covers its plate; its top-left corner and size.
constexpr int PausedPanelX = BoardOriginX - 32, PausedPanelY = BoardOriginY - 32;
constexpr int PausedPanelSize = 7 * 64;
