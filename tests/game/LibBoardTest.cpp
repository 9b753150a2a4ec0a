#include "game/LibBoard.h"

#include "game/LibRandom.h"
#include "game/RestingBoard.h"

#include <gtest/gtest.h>

#include <vector>

class LibBoardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Board.Populate();
    Reset();
  }

  void Reset() {
    Board.KindCount = 4;
    SettleWithoutLines(Board);
  }

  void Plant(const Cells& cells) { ::Plant(Board, cells); }

  Cells Marked() const {
    Cells marked;
    for (int c = 0; c < BoardSize; ++c) {
      for (int r = 0; r < BoardSize; ++r) {
        if (Board.Cell(c, r)->InRun) marked.emplace_back(c, r);
      }
    }
    return marked;
  }

  std::vector<uint8_t> Kinds() const {
    std::vector<uint8_t> kinds;
    for (int i = 0; i < CellCount; ++i) kinds.push_back(Board.Cell(i / BoardSize, i % BoardSize)->Kind);
    return kinds;
  }

  TBoard Board;
};

TEST_F(LibBoardTest, GeneratorGivesTheKnownSequence) {
  SetRandomSeed(12345);
  for (uint32_t expected : {3u, 2u, 0u}) EXPECT_EQ(RandomBelow(10), expected);
  EXPECT_EQ(RandomBelow(100), 55u);
  EXPECT_EQ(GetRandomSeed(), 2377737157u);
  EXPECT_EQ(RandomBelow(0), 0u);
  EXPECT_EQ(GetRandomSeed(), 2377737157u * 134775813u + 1u) << "a draw below 0 still advances";
}

TEST_F(LibBoardTest, FallTakes39MovingTicksAndSnapsOnThe40th) {
  TBoard board;
  board.Populate();
  const TTile& top = *board.Cell(3, 0);     // 64 pixels to fall
  const TTile& bottom = *board.Cell(3, 6);  // 448 pixels
  EXPECT_EQ(top.Y, -64.0f);
  EXPECT_EQ(bottom.Y, -64.0f);
  for (int tick = 0; tick < 38; ++tick) board.Animate();
  EXPECT_LT(top.Y, 0.0f);
  EXPECT_LT(bottom.Y, 384.0f);
  board.Animate();
  EXPECT_GE(top.Y, 0.0f);
  EXPECT_GE(bottom.Y, 384.0f);
  EXPECT_FALSE(board.Cell(0, 0)->InRun) << "runs are marked only at rest";
  board.Animate();
  EXPECT_EQ(top.Y, 0.0f);
  EXPECT_EQ(bottom.Y, 384.0f);
  EXPECT_TRUE(board.Cell(0, 0)->InRun);
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

  for (int r : {1, 3, 6}) Board.AddToSelection(Board.Cell(4, r));
  Board.RemoveSelected();
  const std::vector<TTile*> kept = {column4[0], column4[2], column4[4], column4[5]};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Board.Cell(4, 3 + i), kept[i]);
  for (int r = 0; r < 3; ++r) EXPECT_EQ(Board.Cell(4, r)->Y, -64.0f);
}

TEST_F(LibBoardTest, RunsAreMarkedOnlyAtTheirStartTiles) {
  EXPECT_FALSE(Board.MarkRuns());
  Plant({{2, 4}, {2, 5}, {2, 6}});
  EXPECT_TRUE(Board.MarkRuns());
  EXPECT_EQ(Marked(), (Cells{{2, 4}}));
  Reset();
  Plant({{3, 0}, {2, 1}, {1, 2}});  // rising to the right: found from its upper end
  Board.MarkRuns();
  EXPECT_EQ(Marked(), (Cells{{3, 0}}));
  Reset();
  Plant({{0, 3}, {1, 3}, {2, 3}, {3, 3}});
  Board.MarkRuns();
  EXPECT_EQ(Marked(), (Cells{{0, 3}, {1, 3}}));
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

TEST_F(LibBoardTest, TileAtTakesPointsCloserThan32Pixels) {
  EXPECT_EQ(Board.TileAt(128 + 31, 192), Board.Cell(2, 3));
  EXPECT_EQ(Board.TileAt(128, 192 - 31), Board.Cell(2, 3));
  EXPECT_EQ(Board.TileAt(128 + 32, 192), nullptr);
}

TEST_F(LibBoardTest, ChainKeepsTheDirectionOfItsFirstStep) {
  for (int i = 0; i < CellCount; ++i) Board.Cell(i / BoardSize, i % BoardSize)->Kind = 1;
  Board.Cell(1, 3)->Kind = 2;
  Board.AddToSelection(Board.Cell(2, 2));
  for (auto [c, r] : Cells{{1, 1}, {2, 1}, {3, 1}, {1, 2}, {3, 2}, {2, 3}, {3, 3}}) {
    EXPECT_TRUE(Board.CanSelect(Board.Cell(c, r))) << c << "," << r;
  }
  EXPECT_FALSE(Board.CanSelect(Board.Cell(1, 3))) << "another kind";
  EXPECT_FALSE(Board.CanSelect(Board.Cell(4, 2))) << "two cells away";
  Board.AddToSelection(Board.Cell(3, 3));
  Board.AddToSelection(Board.Cell(3, 3));
  EXPECT_EQ(Board.SelectionCount(), 2);
  EXPECT_TRUE(Board.CanSelect(Board.Cell(4, 4)));
  for (auto [c, r] : Cells{{4, 3}, {1, 1}, {2, 2}, {3, 3}}) EXPECT_FALSE(Board.CanSelect(Board.Cell(c, r)));
  Board.Cell(4, 4)->Y -= 1.0f;  // later steps are measured between current positions
  EXPECT_FALSE(Board.CanSelect(Board.Cell(4, 4)));
}

TEST_F(LibBoardTest, HintPicksAMarkedTileOrNoneWhenNoneIsMarked) {
  Board.MarkRuns();
  EXPECT_EQ(Board.PickHintTile(), nullptr);
  Plant({{6, 0}, {6, 1}, {6, 2}});
  Board.MarkRuns();
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Board.PickHintTile(), Board.Cell(6, 0));
}
