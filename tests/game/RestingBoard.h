#pragma once
// Board set-ups shared by the puzzle tests.

#include "game/LibBoard.h"
#include "game/LibRandom.h"

#include <vector>

using Cells = std::vector<std::pair<int, int>>;

// Every tile at rest with kind (column + 2 row) mod 4, which holds no line of three; reseeds the
// generator so what follows is repeatable.
inline void SettleWithoutLines(TBoard& board) {
  SetRandomSeed(7);
  for (int i = 0; i < CellCount; ++i) {
    TTile& tile = *board.Cell(i / BoardSize, i % BoardSize);
    tile.Y = tile.TargetY;
    tile.Kind = static_cast<uint8_t>((i / BoardSize + 2 * (i % BoardSize)) % 4);
  }
}

// Kind 5 is not in that pattern, so the planted cells make the board's only line.
inline void Plant(TBoard& board, const Cells& cells) {
  for (auto [c, r] : cells) board.Cell(c, r)->Kind = 5;
}
