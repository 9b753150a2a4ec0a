#include "game/LibBoard.h"

#include "support/Headless.h"

class LibBoardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Board.Populate();
    Settle(Board);
  }
  // The cells whose tiles pass the test, row by row.
  Cells Where(const std::function<bool(const TTile&)>& test) const {
    Cells cells;
    for (int i = 0; i < CellCount; ++i) {
      if (test(*Board.Cell(i % 7, i / 7))) cells.push_back({i % 7, i / 7});
    }
    return cells;
  }
  TBoard Board;
};

TEST_F(LibBoardTest, NewBoardsSeedAndLand) {
  SetRandomSeed(12345);
  for (const auto& [below, drawn] : {std::pair{10u, 3u}, {10u, 2u}, {10u, 0u}, {100u, 55u}, {0u, 0u}}) {
    EXPECT_EQ(RandomBelow(below), drawn);
  }
  EXPECT_EQ(GetRandomSeed(), 2377737157u * 134775813u + 1u) << "a draw below 0 still advances";
  Board = TBoard();  // with no kinds in play every tile is kind 0, so every cell starts a run
  Board.Populate();
  const uint32_t seed = GetRandomSeed();
  Board.Populate();  // a full board draws nothing
  EXPECT_NE(GetRandomSeed(), seed) << "seeded from the clock";
  EXPECT_EQ(Where([](const TTile& tile) { return tile.Y == -64; }).size(), 49u);
  for (int tick = 0; tick < 39; ++tick) Board.Animate();
  EXPECT_FALSE(Board.Cell(0, 0)->InRun) << "runs are marked only at rest";
  EXPECT_EQ(Board.Cell(3, 6)->Y, 384.478882f) << "the 39th step, just past";
  Board.Animate();
  EXPECT_TRUE(Board.Cell(3, 0)->Y == 0 && Board.Cell(3, 6)->Y == 384 && Board.Cell(0, 0)->InRun);
}

TEST_F(LibBoardTest, RemovedTilesFallAndRefill) {
  std::vector<TTile*> column;
  for (int row = 0; row < BoardSize; ++row) {
    column.push_back(Board.Cell(2, row));
    column[row]->FallSpeed = 5;
  }
  for (const int row : {1, 3, 5}) Board.AddToSelection(column[row]);
  Board.RemoveSelected();
  EXPECT_EQ(std::vector({Board.Cell(2, 3), Board.Cell(2, 4), Board.Cell(2, 5), Board.Cell(2, 6)}),
            std::vector({column[0], column[2], column[4], column[6]}));
  EXPECT_EQ(std::vector({column[2]->Y, column[2]->TargetY, column[2]->FallSpeed, column[6]->FallSpeed}),
            std::vector<float>({128, 256, 0, 5}));
  EXPECT_EQ(std::pair(Board.Cell(2, 0)->X, Board.Cell(2, 0)->Y), std::pair(128.f, -64.f));
}

TEST_F(LibBoardTest, RunsMarkedAtTheirStarts) {
  // Planted cells, then the cells marked.
  const std::pair<Cells, Cells> rows[] = {
      {{{2, 4}, {2, 5}, {2, 6}}, {{2, 4}}},
      {{{3, 0}, {2, 1}, {1, 2}}, {{3, 0}}},  // rising to the right: found from its upper end
      {{{4, 4}, {5, 5}, {6, 6}}, {{4, 4}}},
      {{{0, 3}, {1, 3}, {2, 3}, {3, 3}}, {{0, 3}, {1, 3}}},
      {{{0, 6}, {1, 6}}, {}},
  };
  for (const auto& [planted, marked] : rows) {
    Settle(Board, planted);
    EXPECT_EQ(Where([](const TTile& tile) { return tile.InRun; }), marked);
    const TTile* hint = Board.PickHintTile();
    EXPECT_EQ(hint && hint->InRun, Board.MarkRuns());
    EXPECT_EQ(hint == nullptr, marked.empty());
    Board.Animate();  // at rest: only a board without a line draws again, leaving no planted kind
    EXPECT_EQ(Board.Cell(planted[0].X, planted[0].Y)->Kind == 5, !marked.empty());
  }
}

TEST_F(LibBoardTest, PointsPickTilesChainsKeepDirection) {
  const std::tuple<int, int, TTile*> points[] = {
      {159, 192, Board.Cell(2, 3)}, {128, 161, Board.Cell(2, 3)}, {160, 192, nullptr},
      {0, 0, Board.Cell(0, 0)},     {384, 384, Board.Cell(6, 6)}, {-40, 400, nullptr},
  };
  for (const auto& [x, y, tile] : points) EXPECT_EQ(Board.TileAt(x, y), tile) << x << "," << y;
  for (int i = 0; i < CellCount; ++i) Board.Cell(i / 7, i % 7)->Kind = 1;
  Board.Cell(1, 3)->Kind = 2;
  const auto allowed = [&] { return Where([&](const TTile& tile) { return Board.CanSelect(&tile); }); };
  EXPECT_EQ(allowed().size(), 49u) << "any first tile";
  Board.AddToSelection(Board.Cell(2, 2));
  EXPECT_EQ(allowed(), (Cells{{1, 1}, {2, 1}, {3, 1}, {1, 2}, {3, 2}, {2, 3}, {3, 3}})) << "equal neighbours";
  Board.AddToSelection(Board.Cell(3, 3));
  Board.AddToSelection(Board.Cell(3, 3));
  EXPECT_EQ(std::pair(Board.SelectionCount(), Board.Selected(1)), std::pair(2, Board.Cell(3, 3)));
  EXPECT_EQ(allowed(), (Cells{{4, 4}})) << "on in the first step's direction";
  Board.Cell(4, 4)->Y -= 1;  // later steps are measured between current positions
  EXPECT_EQ(allowed(), Cells{});
}
