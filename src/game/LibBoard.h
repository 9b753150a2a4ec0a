#pragma once
// The puzzle's model: a 7 by 7 grid of picture tiles that fall into place, the runs of equal tiles
// that guarantee a move exists, and the player's selection with its chain rule. No drawing, sound
// or rules of play live here.
//
// Board coordinates are float pixels with the centre of the top-left cell at (0, 0) and a pitch of
// 64; cells are written (column, row), row 6 at the bottom.

#include <array>
#include <cstdint>
#include <memory>

constexpr int BoardSize = 7;
constexpr int CellCount = BoardSize * BoardSize;
constexpr int SelectionSlots = 64;
constexpr float CellPitch = 64.0f;

// Whether (column, row) names a cell of the board.
constexpr bool IsCell(int column, int row) { return column >= 0 && column < BoardSize && row >= 0 && row < BoardSize; }

struct TTile {
  uint8_t Kind = 0;
  float X = 0.0f;  // centre; never changes after the tile is made
  float Y = 0.0f;  // only grows, towards TargetY
  float TargetX = 0.0f;
  float TargetY = 0.0f;
  float FallSpeed = 0.0f;  // added to Y per Animate tick
  bool InRun = false;      // a line of three or more equal kinds starts here (valid at rest)
};

// Owns its tiles: a tile lives from SpawnTile to RemoveTile, and the rest go with the board.
// Outside Populate and RemoveSelected every cell holds a tile.
class TBoard {
 public:
  // Number of kinds in play; the game module writes it at each level-up.
  int32_t KindCount = 0;

  // Seeds the shared generator from the clock and fills every cell with tiles that start above the
  // board and fall into place together.
  void Populate();
  // A new tile above the column in its top cell, unless that cell is taken.
  void SpawnTile(int column);
  // Moves every tile that has empty cells below it down to the lowest one; it falls from where it is.
  void ApplyGravity();
  // Destroys the tile; returns its column, or 0 when it is on no cell.
  int RemoveTile(const TTile* tile);
  // Removes the selected tiles, letting each column fall and refilling it after every removal.
  // The selection then refers to destroyed tiles: clear it before anything else reads it.
  void RemoveSelected();
  // One tick of the fall. At rest it refreshes the run marks and, with no run, draws new kinds.
  void Animate();
  // Marks where runs start, scanning rows top-down; true when there is at least one.
  bool MarkRuns();
  void RandomiseKinds();
  uint8_t RandomKind();
  // A random marked tile, or null when no tile is marked. Returns in bounded time.
  TTile* PickHintTile();
  // The last tile in row-major order whose centre is less than 32 pixels away, or null.
  TTile* TileAt(int x, int y) const;

  // The chain rule: whether the tile may follow the selection (a straight line of adjacent equal
  // tiles, the first step measured between rest positions and later ones between current ones).
  bool CanSelect(const TTile* tile) const;
  bool IsSelected(const TTile* tile) const;
  // Appends the tile unless it is already selected or every slot is full.
  void AddToSelection(TTile* tile);
  // Takes the last tile out of the selection, if any.
  void DeselectLast();
  int SelectionCount() const;
  void ClearSelection();

  // The tile in a cell (null only while Populate or RemoveSelected runs); owned by the board.
  TTile* Cell(int column, int row) const { return Cells[Index(column, row)].get(); }
  // The tile in a selection slot, or null; not owned.
  TTile* Selected(int slot) const { return Selection[slot]; }

 private:
  static int Index(int column, int row) { return column * BoardSize + row; }
  bool RunFrom(int column, int row, int stepColumn, int stepRow);
  TTile* FirstMarkedTile() const;

  std::array<std::unique_ptr<TTile>, CellCount> Cells;  // column-major
  std::array<TTile*, SelectionSlots> Selection{};       // packed from slot 0
};
