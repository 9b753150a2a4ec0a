#include "game/GameModuleAccess.h"

#include "support/Headless.h"

#include <tuple>

using Reports = std::vector<std::pair<int, int>>;  // choice and the score handed over
const Cells Row4 = {{0, 4}, {1, 4}, {2, 4}, {3, 4}, {4, 4}, {5, 4}, {6, 4}};

// Frees the module inside its report, as the controller does: a touch after it shows under the
// sanitizers.
class GameModuleTest : public HeadlessTest, TGame {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    Playing.reset(new TGameModule(*this));
    SetModule(Playing.get());
    Settle(M().Board);
  }
  void TearDown() override {
    Playing.reset();
    HeadlessTest::TearDown();
  }
  void Start() override {}
  void ModuleChoice(TModule* module, int code) override {
    Reported.push_back({code, static_cast<TGameModule*>(module)->GetScore()});
    Playing.reset();
  }
  // Pressed on the first cell, released on the last unless told not to.
  void Drag(const Cells& cells, bool release = true) {
    for (const TPoint& cell : cells) {
      const TPoint at = CellCentre(cell.X, cell.Y);
      Playing->MouseMove(at.X, at.Y);
      if (&cell == &cells.front()) Playing->MouseButton({true});
    }
    if (release) Playing->MouseButton({false});
  }
  void Press(int x, int y) {
    Playing->MouseMove(x, y);
    Playing->MouseButton({true, x, y});
    if (Playing) Playing->MouseButton({false, x, y});
  }
  // A press beside the board through the real pump, with these modifiers held.
  void PressHolding(SDLMod held) {
    SDL_SetModState(held);
    PushButton(true, 100, 100);
    PushButton(false, 100, 100);
    PumpEvents(*this);
  }
  int Sparks() { return int(std::ranges::count(M().Particles.All(), true, &TParticle::Active)); }
  TGameModuleAccess M() { return *Playing; }
  OwnedModule<TGameModule> Playing;
  Reports Reported;
};

TEST_F(GameModuleTest, LevelsFollowTheTable) {
  // Kinds, tiles to clear, time limit and hints of levels 0 to 10.
  const std::vector<int> levels[] = {{4, 100, 1000, 4}, {4, 100, 960, 4}, {4, 110, 920, 4}, {4, 110, 880, 3},
                                     {4, 120, 840, 3},  {5, 120, 800, 3}, {5, 130, 760, 2}, {5, 130, 720, 2},
                                     {5, 140, 680, 2},  {5, 140, 640, 1}, {6, 150, 600, 1}};
  for (int level = 0; level < 12; ++level) {
    const int shown = std::min(level, 10);
    EXPECT_EQ(M().Level, shown);
    EXPECT_EQ(std::vector({M().Board.KindCount, M().TilesToClear, M().TimeLimit, M().HintsLeft}), levels[shown]);
    M().HintsLeft = 0;
    PressHolding(KMOD_LCTRL);
  }
  EXPECT_EQ(M().Timer, 1000) << "a level-up by key leaves the timer";
  PressHolding(SDLMod(KMOD_RCTRL | KMOD_RSHIFT));
  EXPECT_EQ(M().Lives, 3) << "the left keys only";
  PressHolding(KMOD_LSHIFT);
  EXPECT_EQ(M().Lives, 1);
}

TEST_F(GameModuleTest, LinesScoreTheirSquareAndBurst) {
  Settle(M().Board, {{1, 1}, {2, 2}, {3, 3}});
  Drag({{1, 1}, {2, 2}});  // too short to score
  M().Timer = 500;
  MarkChannel(ChannelEffects);
  Drag({{1, 1}, {2, 2}, {3, 3}}, false);
  EXPECT_EQ(Plays(ChannelEffects), 1) << "a press pops its tile";
  MarkChannel(ChannelEffects);
  MarkChannel(ChannelGame);
  Playing->MouseButton({false});
  EXPECT_EQ(std::vector({M().Score, M().TilesToClear, M().Timer, Sparks()}), std::vector({9, 97, 1000, 15}));
  EXPECT_EQ(std::pair(Plays(ChannelEffects), Plays(ChannelGame)), std::pair(1, 0));
  EXPECT_EQ(std::pair(M().Particles.All()[0].X, M().Particles.All()[0].Y), std::pair(287.f, 104.f));
  // New tiles above the line; the column above (3, 3) falls from where it stood.
  const auto y = [&](int column, int row) { return M().Board.Cell(column, row)->Y; };
  EXPECT_EQ(std::vector({y(1, 0), y(3, 0), y(3, 1), y(3, 3), y(3, 4)}), std::vector<float>({-64, -64, 0, 128, 256}));
  Settle(M().Board, Row4);
  M().TilesToClear = 5;  // the two extra tiles are not carried over
  MarkChannel(ChannelGame);
  Drag(Row4);
  EXPECT_EQ(std::vector({M().Score, M().Level, M().TilesToClear, M().Timer, Sparks()}),
            std::vector({58, 1, 100, 960, 50}));
  EXPECT_EQ(Plays(ChannelGame), 1) << "the next level's squeak";
  const TParticle first = M().Particles.All()[0];
  for (int tick = 0; tick < 29; ++tick) Playing->Update();
  const float lastX = M().Particles.All()[0].X;
  EXPECT_NEAR(lastX, first.X + 29 * first.DX, 1e-3);
  Playing->Update();
  EXPECT_EQ(std::pair(Sparks(), M().Particles.All()[0].X), std::pair(0, lastX)) << "no move on the last tick";
}

// The directions' cosines and sines are taken in double precision: with float ones, these speeds
// would come out one float apart.
TEST(SparksTest, FiveLeaveClockwise) {
  SetRandomSeed(6);
  TParticles sparks;
  sparks.SpawnBurst(64, 128);
  const auto& p = sparks.All();
  EXPECT_EQ(std::vector({p[0].DX, p[1].DY, p[2].DX, p[3].DX, p[3].DY, p[4].DY}),
            std::vector({1.3f, 2.66295815f, -1.86073911f, -1.37532878f, -0.999235094f, -2.1874299f}));
}

TEST_F(GameModuleTest, TimeOutTakesALife) {
  Settle(M().Board, {{1, 1}, {2, 2}, {3, 3}});
  Drag({{1, 1}, {2, 2}}, false);
  M().Timer = 1;
  Playing->Update();
  MarkChannel(ChannelGame);
  Playing->Update();
  EXPECT_EQ(std::vector({M().Lives, M().Timer, M().TilesToClear, M().Board.SelectionCount()}),
            std::vector({2, 999, 100, 2}));
  EXPECT_EQ(Plays(ChannelGame), 1) << "the hit";
  EXPECT_LT(M().Board.Cell(1, 1)->Kind, 4) << "the planted kind is drawn again";
  M().Score = 7;
  M().Lives = 1;
  M().Timer = 0;
  Playing->Update();
  EXPECT_EQ(Reported, Reports({{1, 7}}));
}

// Each arrow steps the cursor one cell its own way; an arrow let go no longer turns the next one into
// a diagonal.
TEST_F(GameModuleTest, ArrowsStepTheCursorTheirWay) {
  using enum TKeyName;
  const std::tuple<TKeyName, TKeyName, int, int> rows[] = {
      {Other, Up, 3, 2},     {Other, Down, 3, 4},    {Other, Left, 2, 3},     {Other, Right, 4, 3},
      {Other, UpLeft, 2, 2}, {Other, UpRight, 4, 2}, {Other, DownLeft, 2, 4}, {Other, DownRight, 4, 4},
      {Left, Up, 2, 2},      {Down, Right, 4, 4}};
  for (const auto& [first, then, column, row] : rows) {
    M().CursorColumn = M().CursorRow = 3;
    for (const TKeyName name : {first, then}) {
      Playing->KeyDown({name});
      Playing->KeyUp({name});
    }
    EXPECT_EQ(std::pair(M().CursorColumn, M().CursorRow), std::pair(column, row)) << int(first) << " " << int(then);
  }
  for (const TKeyName name : {Space, Right}) Playing->KeyDown({name});
  Playing->KeyUp({Space});
  Playing->KeyDown({Right});
  EXPECT_EQ(M().Board.SelectionCount(), 0) << "the chain ended with its key";
}

TEST_F(GameModuleTest, ButtonsReactInsideOnly) {
  MarkChannel(ChannelEffects);
  Press(40, 444);  // no marked tile yet
  Settle(M().Board, {{4, 0}, {5, 0}, {6, 0}});
  for (const TPoint p : Cells{{56, 444}, {40, 460}, {23, 444}, {40, 427}}) Press(p.X, p.Y);
  EXPECT_EQ(std::pair(M().HintsLeft, Plays(ChannelEffects)), std::pair(4, 0)) << "no hint spent";
  MarkChannel(ChannelEffects);
  Press(55, 459);
  EXPECT_EQ(std::pair(M().HintsLeft, M().HintTile), std::pair(3, static_cast<const TTile*>(M().Board.Cell(4, 0))));
  EXPECT_EQ(Plays(ChannelEffects), 1);
  M().HintsLeft = 0;
  Press(24, 428);
  EXPECT_EQ(M().HintsLeft, 0);
  Drag({{4, 0}, {5, 0}, {6, 0}});
  EXPECT_EQ(M().HintTile, nullptr);
  for (const TPoint p : Cells{{47, 20}, {20, 47}, {14, 30}, {30, 14}}) Press(p.X, p.Y);
  ASSERT_NE(Playing, nullptr);
  Press(46, 46);
  EXPECT_EQ(Reported, Reports({{1, 9}}));
}

TEST_F(GameModuleTest, EverythingDrawnInPlace) {
  Settle(M().Board, {{2, 3}, {3, 3}, {4, 3}});
  for (int kind = 0; kind < KindLimit; ++kind) M().Board.Cell(kind, 0)->Kind = uint8_t(kind);
  Press(40, 444);  // the hint, on (2, 3)
  Drag({{2, 3}, {3, 3}}, false);
  for (int tick = 0; tick < 99; ++tick) Playing->Update();
  M().Timer = 400;
  M().Score = 58;
  M().Particles.SpawnParticle(StarShape, 100, 100, 0, 0);
  M().Particles.SpawnParticle(0, 120.9f, 100, 0, 0);
  Playing->MouseMove(469, 296);
  Playing->Draw();
  const Rgb bg = Shown("background"), white = OnScreen({255, 255, 255}), yellow = OnScreen({255, 255, 0});
  const Rgb brown = OnScreen({125, 95, 25});
  Expect({{15, 15, Shown("quit")},
          {469, 296, Shown("hand")},
          // Lives first, the wand last.
          {24, 314, Shown("lives")},
          {55, 459, Shown("wand")},
          {64, 320, OnScreen(DigitColour(3))},
          {87, 377, OnScreen(DigitColour(8))},
          // The timer's outline, its bar a pixel per four ticks.
          {240, 467, white},
          {493, 467, white},
          {494, 467, bg},
          {242, 463, yellow},
          {341, 470, yellow},
          {342, 466, bg},
          // Each kind on a disc; the hint rimmed white, the selection ringed yellow.
          {213, 40, Shown("pumpkin")},
          {277, 40, Shown("ghost")},
          {341, 40, Shown("spider")},
          {405, 40, Shown("witcheshat")},
          {469, 40, Shown("bat")},
          {533, 40, Shown("cat")},
          {374, 232, white},
          {366, 232, brown},
          {367, 232, yellow},
          {563, 360, brown},
          {564, 360, bg},
          // A star by its corner, a dot round its point.
          {100, 100, Shown("star")},
          {119, 99, white},
          {122, 100, bg}});
  Playing->Update();  // the hint's 100th tick: its rim goes
  M().Timer = 3;
  Playing->Draw();
  Expect({{374, 232, bg}, {242, 466, bg}, {240, 467, white}});  // no rim, no bar below four ticks
}
