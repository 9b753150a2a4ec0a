#include "game/LibBoard.h"

#include "game/LibRandom.h"

#include <cmath>

namespace {

constexpr float SpawnY = -64.0f;       // new tiles start one cell above the top row
constexpr double FallDamping = 600.0;  // the speed grows by the remaining distance over this
constexpr int RunLength = 3;
constexpr double PickRadius = 32.0;  // exclusive
constexpr double ChainReach = 96.0;  // inclusive: the eight neighbours, nothing farther
// Random picks before the hint settles for the first marked tile; at one marked tile out of 49 the
// random picks all miss about once in a billion presses.
constexpr int HintPickLimit = 1000;

double Distance(float dx, float dy) { return std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy); }

}  // namespace

void TBoard::Populate() {
  SeedRandomFromClock();
  for (int pass = 0; pass < BoardSize; ++pass) {
    for (int column = 0; column < BoardSize; ++column) {
      SpawnTile(column);
      ApplyGravity();
    }
  }
}

void TBoard::SpawnTile(int column) {
  std::unique_ptr<TTile>& top = Cells[Index(column, 0)];
  if (top) return;
  top = std::make_unique<TTile>();
  top->X = top->TargetX = CellPitch * static_cast<float>(column);
  top->Y = SpawnY;
  top->Kind = RandomKind();
}

void TBoard::ApplyGravity() {
  for (int column = 0; column < BoardSize; ++column) {
    for (int row = BoardSize - 2; row >= 0; --row) {
      std::unique_ptr<TTile>& from = Cells[Index(column, row)];
      if (!from) continue;
      int lowest = row + 1;
      while (lowest < BoardSize - 1 && !Cells[Index(column, lowest + 1)]) ++lowest;
      std::unique_ptr<TTile>& to = Cells[Index(column, lowest)];
      if (to) continue;
      to = std::move(from);
      to->TargetX = to->X;
      to->TargetY = CellPitch * static_cast<float>(lowest);
      to->FallSpeed = 0.0f;
    }
  }
}

int TBoard::RemoveTile(const TTile* tile) {
  int removedFrom = 0;
  for (int row = 0; row < BoardSize; ++row) {
    for (int column = 0; column < BoardSize; ++column) {
      std::unique_ptr<TTile>& cell = Cells[Index(column, row)];
      if (cell && cell.get() == tile) {
        cell.reset();
        removedFrom = column;
      }
    }
  }
  return removedFrom;
}

void TBoard::RemoveSelected() {
  for (TTile* tile : Selection) {
    if (!tile) continue;
    const int column = RemoveTile(tile);
    ApplyGravity();
    SpawnTile(column);
  }
}

void TBoard::Animate() {
  bool settled = true;
  for (const std::unique_ptr<TTile>& tile : Cells) {
    if (tile->Y >= tile->TargetY) {
      tile->Y = tile->TargetY;
      continue;
    }
    // Each step is stored as a float, as the positions are everywhere.
    const float y = tile->Y + tile->FallSpeed;
    tile->Y = y;
    const float speed = static_cast<float>(tile->FallSpeed + (static_cast<double>(tile->TargetY) - y) / FallDamping);
    tile->FallSpeed = speed;
    settled = false;
  }
  if (settled && !MarkRuns()) RandomiseKinds();
}

bool TBoard::MarkRuns() {
  bool found = false;
  for (int row = 0; row < BoardSize; ++row) {
    for (int column = 0; column < BoardSize; ++column) {
      if (RunFrom(column, row, 1, 0) || RunFrom(column, row, 0, 1) || RunFrom(column, row, 1, 1) ||
          RunFrom(column, row, -1, 1)) {
        found = true;
      }
    }
  }
  return found;
}

bool TBoard::RunFrom(int column, int row, int stepColumn, int stepRow) {
  TTile& start = *Cell(column, row);
  int count = 0;
  for (int c = column, r = row; IsCell(c, r) && Cell(c, r)->Kind == start.Kind; c += stepColumn, r += stepRow) {
    ++count;
  }
  start.InRun = count >= RunLength;
  return start.InRun;
}

void TBoard::RandomiseKinds() {
  for (const std::unique_ptr<TTile>& tile : Cells) tile->Kind = RandomKind();
}

uint8_t TBoard::RandomKind() { return static_cast<uint8_t>(RandomBelow(static_cast<uint32_t>(KindCount))); }

TTile* TBoard::PickHintTile() {
  TTile* fallback = FirstMarkedTile();
  if (!fallback) return nullptr;
  for (int attempt = 0; attempt < HintPickLimit; ++attempt) {
    const int row = static_cast<int>(RandomBelow(BoardSize));
    const int column = static_cast<int>(RandomBelow(BoardSize));
    if (Cell(column, row)->InRun) return Cell(column, row);
  }
  return fallback;
}

TTile* TBoard::FirstMarkedTile() const {
  for (int row = 0; row < BoardSize; ++row) {
    for (int column = 0; column < BoardSize; ++column) {
      if (Cell(column, row)->InRun) return Cell(column, row);
    }
  }
  return nullptr;
}

TTile* TBoard::TileAt(int x, int y) const {
  TTile* result = nullptr;
  for (int row = 0; row < BoardSize; ++row) {
    for (int column = 0; column < BoardSize; ++column) {
      TTile* tile = Cell(column, row);
      const float dx = static_cast<float>(x) - tile->X;
      const float dy = static_cast<float>(y) - tile->Y;
      if (Distance(dx, dy) < PickRadius) result = tile;
    }
  }
  return result;
}

bool TBoard::CanSelect(const TTile* tile) const {
  if (IsSelected(tile)) return false;
  const int count = SelectionCount();
  if (count == 0) return true;
  const TTile& last = *Selection[count - 1];
  const float dx = tile->X - last.X;
  const float dy = tile->Y - last.Y;
  if (Distance(dx, dy) > ChainReach) return false;
  if (tile->Kind != last.Kind) return false;
  if (count < 2) return true;
  const int stepX = static_cast<int>(Selection[1]->TargetX - Selection[0]->TargetX);
  const int stepY = static_cast<int>(Selection[1]->TargetY - Selection[0]->TargetY);
  return dx == static_cast<float>(stepX) && dy == static_cast<float>(stepY);
}

bool TBoard::IsSelected(const TTile* tile) const {
  if (!tile) return false;
  for (const TTile* selected : Selection) {
    if (selected == tile) return true;
  }
  return false;
}

void TBoard::AddToSelection(TTile* tile) {
  for (TTile*& slot : Selection) {
    if (slot == tile) return;
    if (!slot) {
      slot = tile;
      return;
    }
  }
}

void TBoard::DeselectLast() {
  if (const int count = SelectionCount(); count > 0) Selection[count - 1] = nullptr;
}

int TBoard::SelectionCount() const {
  int count = 0;
  while (count < SelectionSlots && Selection[count]) ++count;
  return count;
}

void TBoard::ClearSelection() { Selection.fill(nullptr); }
