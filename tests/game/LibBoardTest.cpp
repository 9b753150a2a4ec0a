#include "game/LibBoard.h"

#include "game/LibRandom.h"

#include <gtest/gtest.h>

#include <vector>

using Cells = std::vector<std::pair<int, int>>;

// A board at rest whose kinds (column + 2 row) mod 4 hold no line of three; planting kind 5 on
// some cells makes them its only line.
class LibBoardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Board.Populate();
    Settle(Board);
  }
  static void Settle(TBoard& board, const Cells& planted = {}) {
    SetRandomSeed(7);
    board.KindCount = 4;
    for (int i = 0; i < CellCount; ++i) {
      TTile& tile = *board.Cell(i / BoardSize, i % BoardSize);
      tile.Y = tile.TargetY;
      tile.Kind = static_cast<uint8_t>((i / BoardSize + 2 * (i % BoardSize)) % 4);
    }
    for (auto [c, r] : planted) board.Cell(c, r)->Kind = 5;
  }
  Cells Marked() const {
    Cells marked;
    for (int i = 0; i < CellCount; ++i) {
      if (Board.Cell(i / BoardSize, i % BoardSize)->InRun) marked.emplace_back(i / BoardSize, i % BoardSize);
    }
    return marked;
  }
  std::vector<int> Kinds() const {
    std::vector<int> kinds;
    for (int i = 0; i < CellCount; ++i) kinds.push_back(Board.Cell(i / BoardSize, i % BoardSize)->Kind);
    return kinds;
  }
  TBoard Board;
};

TEST_F(LibBoardTest, GeneratorGivesTheKnownSequence) {
  SetRandomSeed(12345);
  for (const uint32_t expected : {3u, 2u, 0u}) EXPECT_EQ(RandomBelow(10), expected);
  EXPECT_EQ(RandomBelow(100), 55u);
  EXPECT_EQ(GetRandomSeed(), 2377737157u);
  EXPECT_EQ(RandomBelow(0), 0u);
  EXPECT_EQ(GetRandomSeed(), 2377737157u * 134775813u + 1u) << "a draw below 0 still advances";
  TBoard first, second;
  first.Populate();
  second.Populate();
  EXPECT_NE(GetRandomSeed(), 2377737157u * 134775813u + 1u) << "each board seeds from the clock";
}

TEST_F(LibBoardTest, NewTilesFallTogetherAndSnapOnTheFortiethTick) {
  TBoard board;
  board.Populate();
  for (int i = 0; i < CellCount; ++i) {
    const TTile& tile = *board.Cell(i / BoardSize, i % BoardSize);
    EXPECT_EQ(tile.Y, -64.0f);
    EXPECT_EQ(tile.TargetY, 64.0f * (i % BoardSize));
    EXPECT_EQ(tile.X, 64.0f * (i / BoardSize));
  }
  const TTile &top = *board.Cell(3, 0), &bottom = *board.Cell(3, 6);
  for (int tick = 0; tick < 38; ++tick) board.Animate();
  EXPECT_LT(top.Y, 0.0f);
  EXPECT_LT(bottom.Y, 384.0f);
  board.Animate();
  EXPECT_FALSE(board.Cell(0, 0)->InRun) << "runs are marked only at rest";
  board.Animate();
  EXPECT_EQ(top.Y, 0.0f);
  EXPECT_EQ(bottom.Y, 384.0f);
  EXPECT_TRUE(board.Cell(0, 0)->InRun) << "with no kinds in play every tile is kind 0";
}

TEST_F(LibBoardTest, RemovedTilesLetTheirColumnFallAndRefill) {
  std::vector<TTile*> column2, column4;
  for (int r = 0; r < BoardSize; ++r) {
    Board.Cell(2, r)->FallSpeed = 5.0f;
    column2.push_back(Board.Cell(2, r));
    column4.push_back(Board.Cell(4, r));
  }
  Board.AddToSelection(Board.Cell(2, 4));
  Board.RemoveSelected();
  Board.ClearSelection();
  for (int r = 0; r < 4; ++r) {
    EXPECT_EQ(Board.Cell(2, r + 1), column2[r]);
    EXPECT_EQ(column2[r]->TargetY, 64.0f * (r + 1));
    EXPECT_EQ(column2[r]->Y, 64.0f * r) << "it falls from where it is";
    EXPECT_EQ(column2[r]->FallSpeed, 0.0f);
  }
  EXPECT_EQ(column2[5]->FallSpeed, 5.0f) << "tiles below keep their speed";
  EXPECT_EQ(Board.Cell(2, 0)->Y, -64.0f);
  EXPECT_EQ(Board.Cell(2, 0)->X, 128.0f);
  for (const int r : {1, 3, 6}) Board.AddToSelection(Board.Cell(4, r));
  Board.RemoveSelected();
  const std::vector<TTile*> kept = {column4[0], column4[2], column4[4], column4[5]};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Board.Cell(4, 3 + i), kept[i]);
  for (int r = 0; r < 3; ++r) EXPECT_EQ(Board.Cell(4, r)->Y, -64.0f);
}

TEST_F(LibBoardTest, RunsAreMarkedAtTheirStartTilesInEveryDirection) {
  const std::pair<Cells, Cells> rows[] = {
      {{}, {}},
      {{{2, 4}, {2, 5}, {2, 6}}, {{2, 4}}},
      {{{3, 0}, {2, 1}, {1, 2}}, {{3, 0}}},  // rising to the right: found from its upper end
      {{{4, 4}, {5, 5}, {6, 6}}, {{4, 4}}},
      {{{0, 3}, {1, 3}, {2, 3}, {3, 3}}, {{0, 3}, {1, 3}}},
      {{{0, 6}, {1, 6}}, {}},
  };
  for (const auto& [planted, marked] : rows) {
    Settle(Board, planted);
    EXPECT_EQ(Board.MarkRuns(), !marked.empty());
    EXPECT_EQ(Marked(), marked) << planted.size();
  }
}

TEST_F(LibBoardTest, KindsAreDrawnAgainUntilTheBoardHoldsALine) {
  Board.KindCount = 200;  // so many kinds that a line hardly ever comes up
  for (int tick = 0; tick < 3; ++tick) {
    const auto before = Kinds();
    Board.Animate();
    EXPECT_NE(Kinds(), before);
  }
  Board.KindCount = 4;
  for (int tick = 0; tick < 20 && Marked().empty(); ++tick) Board.Animate();
  ASSERT_FALSE(Marked().empty());
  const auto settled = Kinds();
  Board.Animate();
  EXPECT_EQ(Kinds(), settled) << "a board holding a line is left alone";
}

TEST_F(LibBoardTest, PointsPickTheTileCloserThan32Pixels) {
  const std::tuple<int, int, TTile*> rows[] = {
      {128 + 31, 192, Board.Cell(2, 3)}, {128, 192 - 31, Board.Cell(2, 3)}, {128 + 32, 192, nullptr},
      {0, 0, Board.Cell(0, 0)},          {384, 384, Board.Cell(6, 6)},      {-40, 400, nullptr}};
  for (const auto& [x, y, tile] : rows) EXPECT_EQ(Board.TileAt(x, y), tile) << x << "," << y;
}

TEST_F(LibBoardTest, ChainKeepsTheDirectionOfItsFirstStep) {
  for (int i = 0; i < CellCount; ++i) Board.Cell(i / BoardSize, i % BoardSize)->Kind = 1;
  Board.Cell(1, 3)->Kind = 2;
  EXPECT_TRUE(Board.CanSelect(Board.Cell(6, 6))) << "any first tile";
  Board.AddToSelection(Board.Cell(2, 2));
  for (auto [c, r] : Cells{{1, 1}, {2, 1}, {3, 1}, {1, 2}, {3, 2}, {2, 3}, {3, 3}}) {
    EXPECT_TRUE(Board.CanSelect(Board.Cell(c, r))) << c << "," << r;
  }
  for (auto [c, r] : Cells{{1, 3}, {4, 2}, {2, 4}, {2, 2}}) EXPECT_FALSE(Board.CanSelect(Board.Cell(c, r))) << c << "," << r;
  Board.AddToSelection(Board.Cell(3, 3));
  Board.AddToSelection(Board.Cell(3, 3));
  EXPECT_EQ(Board.SelectionCount(), 2);
  EXPECT_EQ(Board.Selected(1), Board.Cell(3, 3));
  EXPECT_TRUE(Board.CanSelect(Board.Cell(4, 4)));
  for (auto [c, r] : Cells{{4, 3}, {3, 4}, {1, 1}, {2, 2}, {3, 3}}) EXPECT_FALSE(Board.CanSelect(Board.Cell(c, r)));
  Board.Cell(4, 4)->Y -= 1.0f;  // later steps are measured between current positions
  EXPECT_FALSE(Board.CanSelect(Board.Cell(4, 4)));
  Board.ClearSelection();
  EXPECT_EQ(Board.SelectionCount(), 0);
  EXPECT_FALSE(Board.IsSelected(nullptr));
}

TEST_F(LibBoardTest, HintPicksAMarkedTileOrNoneWhenNoneIsMarked) {
  Board.MarkRuns();
  EXPECT_EQ(Board.PickHintTile(), nullptr);
  Settle(Board, {{6, 0}, {6, 1}, {6, 2}});
  Board.MarkRuns();
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Board.PickHintTile(), Board.Cell(6, 0));
}
