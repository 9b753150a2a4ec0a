#include "game/LibBoard.h"

#include "game/LibRandom.h"
#include "support/Headless.h"

using Cells = std::vector<TPoint>;  // (column, row)

class LibBoardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Board.Populate();
    Settle(Board);
    Board.KindCount = 4;
  }
  template <class Value>
  std::vector<Value> Each(const std::function<Value(const TTile&)>& of) const {
    std::vector<Value> values;
    for (int i = 0; i < CellCount; ++i) values.push_back(of(*Board.Cell(i / BoardSize, i % BoardSize)));
    return values;
  }
  std::vector<int> Kinds() const { return Each<int>([](const TTile& tile) { return tile.Kind; }); }
  std::vector<bool> Marked() const { return Each<bool>([](const TTile& tile) { return tile.InRun; }); }
  TBoard Board;
};

TEST_F(LibBoardTest, TheGeneratorGivesTheKnownSequenceAndEachNewBoardSeedsItFromTheClock) {
  SetRandomSeed(12345);
  for (const uint32_t expected : {3u, 2u, 0u}) EXPECT_EQ(RandomBelow(10), expected);
  EXPECT_EQ(RandomBelow(100), 55u);
  EXPECT_EQ(RandomBelow(0), 0u);
  EXPECT_EQ(GetRandomSeed(), 2377737157u * 134775813u + 1u) << "a draw below 0 still advances";
  TBoard().Populate();
  EXPECT_NE(GetRandomSeed(), 2377737157u * 134775813u + 1u);
}

TEST_F(LibBoardTest, NewTilesFallTogetherAndSnapOnTheFortiethTick) {
  TBoard board;  // with no kinds in play every tile is kind 0, so every cell starts a run
  board.Populate();
  for (int i = 0; i < CellCount; ++i) {
    const TTile& tile = *board.Cell(i / BoardSize, i % BoardSize);
    EXPECT_EQ(std::vector<float>({tile.X, tile.Y, tile.TargetY}), std::vector<float>({64.0f * (i / 7), -64, 64.0f * (i % 7)}));
  }
  for (int tick = 0; tick < 38; ++tick) board.Animate();
  EXPECT_LT(board.Cell(3, 0)->Y, 0.0f);
  EXPECT_LT(board.Cell(3, 6)->Y, 384.0f);
  board.Animate();
  EXPECT_FALSE(board.Cell(0, 0)->InRun) << "runs are marked only at rest";
  board.Animate();
  EXPECT_EQ(board.Cell(3, 0)->Y, 0.0f);
  EXPECT_EQ(board.Cell(3, 6)->Y, 384.0f);
  EXPECT_TRUE(board.Cell(0, 0)->InRun);
}

TEST_F(LibBoardTest, RemovedTilesLetTheirColumnFallAndRefill) {
  std::vector<TTile*> column2, column4;
  for (int r = 0; r < BoardSize; ++r) {
    column2.push_back(Board.Cell(2, r));
    column4.push_back(Board.Cell(4, r));
    Board.Cell(2, r)->FallSpeed = 5.0f;
  }
  Board.AddToSelection(Board.Cell(2, 4));
  Board.RemoveSelected();
  Board.ClearSelection();
  for (int r = 0; r < 4; ++r) {
    EXPECT_EQ(Board.Cell(2, r + 1), column2[r]);
    EXPECT_EQ(std::vector<float>({column2[r]->TargetY, column2[r]->Y, column2[r]->FallSpeed}), std::vector<float>({64.0f * (r + 1), 64.0f * r, 0}));
  }
  EXPECT_EQ(column2[5]->FallSpeed, 5.0f) << "tiles below keep their speed";
  EXPECT_EQ(std::pair(Board.Cell(2, 0)->X, Board.Cell(2, 0)->Y), std::pair(128.0f, -64.0f));
  for (const int r : {1, 3, 6}) Board.AddToSelection(Board.Cell(4, r));
  Board.RemoveSelected();
  EXPECT_EQ(std::vector<TTile*>({Board.Cell(4, 3), Board.Cell(4, 4), Board.Cell(4, 5), Board.Cell(4, 6)}),
            std::vector<TTile*>({column4[0], column4[2], column4[4], column4[5]}));
  for (int r = 0; r < 3; ++r) EXPECT_EQ(Board.Cell(4, r)->Y, -64.0f);
}

TEST_F(LibBoardTest, RunsAreMarkedAtTheirStartTilesInEveryDirection) {
  // Planted cells, then the cells marked.
  const std::pair<Cells, Cells> rows[] = {{{}, {}}, {{{2, 4}, {2, 5}, {2, 6}}, {{2, 4}}},
      {{{3, 0}, {2, 1}, {1, 2}}, {{3, 0}}},  // rising to the right: found from its upper end
      {{{4, 4}, {5, 5}, {6, 6}}, {{4, 4}}}, {{{0, 3}, {1, 3}, {2, 3}, {3, 3}}, {{0, 3}, {1, 3}}}, {{{0, 6}, {1, 6}}, {}}};
  for (const auto& [planted, marked] : rows) {
    Settle(Board, planted);
    std::vector<bool> expected(CellCount);
    for (const TPoint cell : marked) expected[cell.X * BoardSize + cell.Y] = true;
    EXPECT_EQ(Marked(), expected) << planted.size();
    EXPECT_EQ(Board.MarkRuns(), !marked.empty());
    const TTile* hint = Board.PickHintTile();
    EXPECT_TRUE(marked.empty() ? hint == nullptr : hint && hint->InRun) << "the hint is a marked tile";
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
  for (int tick = 0; tick < 20 && Marked() == std::vector<bool>(CellCount); ++tick) Board.Animate();
  const auto settled = Kinds();
  Board.Animate();
  EXPECT_EQ(Kinds(), settled) << "a board holding a line is left alone";
}

TEST_F(LibBoardTest, PointsPickTheTileCloserThan32PixelsAndChainsKeepTheirFirstDirection) {
  const std::tuple<int, int, TTile*> points[] = {{159, 192, Board.Cell(2, 3)}, {128, 161, Board.Cell(2, 3)},
      {160, 192, nullptr}, {0, 0, Board.Cell(0, 0)}, {384, 384, Board.Cell(6, 6)}, {-40, 400, nullptr}};
  for (const auto& [x, y, tile] : points) EXPECT_EQ(Board.TileAt(x, y), tile) << x << "," << y;
  for (int i = 0; i < CellCount; ++i) Board.Cell(i / BoardSize, i % BoardSize)->Kind = 1;
  Board.Cell(1, 3)->Kind = 2;
  const auto allowed = [&] {
    Cells cells;
    for (int i = 0; i < CellCount; ++i) {
      if (Board.CanSelect(Board.Cell(i % BoardSize, i / BoardSize))) cells.push_back({i % BoardSize, i / BoardSize});
    }
    return cells;
  };
  EXPECT_EQ(allowed().size(), 49u) << "any first tile";
  Board.AddToSelection(Board.Cell(2, 2));
  EXPECT_EQ(allowed(), (Cells{{1, 1}, {2, 1}, {3, 1}, {1, 2}, {3, 2}, {2, 3}, {3, 3}})) << "equal neighbours";
  Board.AddToSelection(Board.Cell(3, 3));
  Board.AddToSelection(Board.Cell(3, 3));
  EXPECT_EQ(Board.SelectionCount(), 2);
  EXPECT_EQ(allowed(), (Cells{{4, 4}})) << "on in the first step's direction";
  Board.Cell(4, 4)->Y -= 1;  // later steps are measured between current positions
  EXPECT_EQ(allowed(), Cells{});
  Board.ClearSelection();
  EXPECT_EQ(Board.Selected(0), nullptr);
}
