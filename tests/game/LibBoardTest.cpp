#include "game/LibBoard.h"

#include "game/LibRandom.h"
#include "support/Headless.h"

using Cells = std::vector<TPoint>;  // (column, row)

class LibBoardTest : public ::testing::Test {
 protected:
  void SetUp() override { Board.Populate(), Settle(Board), Board.KindCount = 4; }
  // The cells whose tiles pass the test, row by row.
  Cells Where(const std::function<bool(const TTile& tile, TPoint cell)>& test) const {
    Cells cells;
    for (int i = 0; i < CellCount; ++i)
      if (test(*Board.Cell(i % 7, i / 7), {i % 7, i / 7})) cells.push_back({i % 7, i / 7});
    return cells;
  }
  TBoard Board;
};

TEST_F(LibBoardTest, NewBoardsSeedTheKnownGeneratorFromTheClockAndTheirTilesSnapOnTheFortiethTick) {
  SetRandomSeed(12345);
  for (const auto& [below, expected] : {std::pair{10u, 3u}, {10u, 2u}, {10u, 0u}, {100u, 55u}, {0u, 0u}})
    EXPECT_EQ(RandomBelow(below), expected);
  EXPECT_EQ(GetRandomSeed(), 2377737157u * 134775813u + 1u) << "a draw below 0 still advances";
  uint32_t unseeded = GetRandomSeed();  // where a new board's 49 draws would leave the generator without the clock
  for (int draw = 0; draw < CellCount; ++draw) unseeded = unseeded * 134775813u + 1u;
  Board = TBoard();  // with no kinds in play every tile is kind 0, so every cell starts a run
  Board.Populate();
  EXPECT_NE(GetRandomSeed(), unseeded);
  const auto above = [](const TTile& t, TPoint c) {
    return t.X == 64.0f * c.X && t.Y == -64 && t.TargetY == 64.0f * c.Y;
  };
  EXPECT_EQ(Where(above).size(), 49u) << "each tile starts above its column, bound for its cell";
  for (int tick = 0; tick < 39; ++tick) Board.Animate();
  EXPECT_FALSE(Board.Cell(0, 0)->InRun) << "runs are marked only at rest";
  Board.Animate();
  EXPECT_TRUE(Board.Cell(3, 0)->Y == 0 && Board.Cell(3, 6)->Y == 384 && Board.Cell(0, 0)->InRun);
}

TEST_F(LibBoardTest, RemovedTilesLetTheirColumnFallAndRefill) {
  std::vector<TTile*> column2, column4;
  for (int r = 0; r < BoardSize; ++r)
    column2.push_back(Board.Cell(2, r)), column4.push_back(Board.Cell(4, r)), Board.Cell(2, r)->FallSpeed = 5;
  Board.AddToSelection(Board.Cell(2, 4));
  Board.RemoveSelected();
  Board.ClearSelection();
  for (int r = 0; r < 4; ++r) {
    EXPECT_EQ(Board.Cell(2, r + 1), column2[r]);
    EXPECT_EQ(std::vector<float>({column2[r]->TargetY, column2[r]->Y, column2[r]->FallSpeed}),
              std::vector<float>({64.0f * (r + 1), 64.0f * r, 0}));
  }
  EXPECT_EQ(std::vector<float>({column2[5]->FallSpeed, Board.Cell(2, 0)->X, Board.Cell(2, 0)->Y}),
            std::vector<float>({5, 128, -64}));
  for (const int r : {1, 3, 6}) Board.AddToSelection(Board.Cell(4, r));
  Board.RemoveSelected();
  EXPECT_EQ(std::vector<TTile*>({Board.Cell(4, 3), Board.Cell(4, 4), Board.Cell(4, 5), Board.Cell(4, 6)}),
            std::vector<TTile*>({column4[0], column4[2], column4[4], column4[5]}));
}

TEST_F(LibBoardTest, RunsAreMarkedAtTheirStartsTheHintPicksOneAndABoardWithoutRunsDrawsAgain) {
  // Planted cells, then the cells marked.
  const std::pair<Cells, Cells> rows[] = {
      {{{2, 4}, {2, 5}, {2, 6}}, {{2, 4}}},
      {{{3, 0}, {2, 1}, {1, 2}}, {{3, 0}}},  // rising to the right: found from its upper end
      {{{4, 4}, {5, 5}, {6, 6}}, {{4, 4}}},
      {{{0, 3}, {1, 3}, {2, 3}, {3, 3}}, {{0, 3}, {1, 3}}},
      {{{0, 6}, {1, 6}}, {}}};
  for (const auto& [planted, marked] : rows) {
    Settle(Board, planted);
    EXPECT_EQ(Where([](const TTile& tile, TPoint) { return tile.InRun; }), marked) << planted.size();
    const TTile* hint = Board.PickHintTile();
    EXPECT_TRUE(Board.MarkRuns() == !marked.empty() && (marked.empty() ? hint == nullptr : hint && hint->InRun));
    Board.Animate();  // at rest: only a board without a line draws again, leaving no planted kind
    EXPECT_EQ(Board.Cell(planted[0].X, planted[0].Y)->Kind == 5, !marked.empty()) << planted.size();
  }
}

TEST_F(LibBoardTest, PointsPickTheTileCloserThan32PixelsAndChainsKeepTheirFirstDirection) {
  const std::tuple<int, int, TTile*> points[] = {{159, 192, Board.Cell(2, 3)}, {128, 161, Board.Cell(2, 3)},
                                                 {160, 192, nullptr},          {0, 0, Board.Cell(0, 0)},
                                                 {384, 384, Board.Cell(6, 6)}, {-40, 400, nullptr}};
  for (const auto& [x, y, tile] : points) EXPECT_EQ(Board.TileAt(x, y), tile) << x << "," << y;
  for (int i = 0; i < CellCount; ++i) Board.Cell(i / BoardSize, i % BoardSize)->Kind = i == 1 * 7 + 3 ? 2 : 1;
  const auto allowed = [&] { return Where([&](const TTile& tile, TPoint) { return Board.CanSelect(&tile); }); };
  EXPECT_EQ(allowed().size(), 49u) << "any first tile";
  Board.AddToSelection(Board.Cell(2, 2));
  EXPECT_EQ(allowed(), (Cells{{1, 1}, {2, 1}, {3, 1}, {1, 2}, {3, 2}, {2, 3}, {3, 3}})) << "equal neighbours";
  Board.AddToSelection(Board.Cell(3, 3)), Board.AddToSelection(Board.Cell(3, 3));
  EXPECT_EQ(std::pair(Board.SelectionCount(), Board.Selected(1)), std::pair(2, Board.Cell(3, 3)));
  EXPECT_EQ(allowed(), (Cells{{4, 4}})) << "on in the first step's direction";
  Board.Cell(4, 4)->Y -= 1;  // later steps are measured between current positions
  EXPECT_EQ(allowed(), Cells{});
}
