#include "game/GameModule.h"

#include "media/LibSound.h"
#include "support/Headless.h"

namespace {

// Each sound a length of its own, so the chunk left on a channel tells which one played last.
const std::pair<std::string, int> SoundFrames[] = {{"pop", 441}, {"score", 882}, {"squeak", 1323}, {"hit", 1764}};
using Cells = std::vector<TPoint>;  // (column, row)
const Cells Row4 = {{0, 4}, {1, 4}, {2, 4}, {3, 4}, {4, 4}, {5, 4}, {6, 4}};

// Frees the module inside its report, as the real controller does: a touch after it shows under
// the sanitizers.
class TFreeingGame : public TGame {
 public:
  void Start() override {}
  void ModuleChoice(TModule* module, int code) override {
    Choices.push_back(code);
    HandedScore = static_cast<TGameModule*>(module)->GetScore();
    Playing.reset();
  }
  OwnedModule<TGameModule> Playing;
  std::vector<int> Choices;
  int32_t HandedScore = -1;
};

}  // namespace

class GameModuleTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    for (const auto& [name, frames] : SoundFrames) WriteDatFile("sounds/" + name + ".dat", MakeWav(frames));
    Game.SetModule((Game.Playing = OwnedModule<TGameModule>(new TGameModule(Game))).get());
    Settle(M().Board);
  }
  void TearDown() override {
    Game.Playing.reset();
    HeadlessTest::TearDown();
  }
  // Moves to the first cell, presses there, and moves over the others.
  void Drag(const Cells& cells, bool release = true) {
    for (const TPoint& cell : cells) {
      Module().MouseMove(CellCentre(cell.X, cell.Y).X, CellCentre(cell.X, cell.Y).Y);
      if (&cell == &cells.front()) Module().MouseButton(true, 0, 0);
    }
    if (release) Module().MouseButton(false, 0, 0);
  }
  void Press(int x, int y) {
    Module().MouseMove(x, y);
    Module().MouseButton(true, x, y);
    if (Game.Playing) Module().MouseButton(false, x, y);
  }
  void MarkChannels() { MarkChannel(ChannelGame), MarkChannel(ChannelEffects); }
  std::string LastSound(int channel) {
    for (const auto& [name, frames] : SoundFrames) {
      if (Mix_GetChunk(channel)->alen == Uint32(frames * 4)) return name;
    }
    return "nothing";
  }
  int ActiveParticles() {
    int active = 0;
    for (const TParticle& particle : M().Particles.All()) active += particle.Active;
    return active;
  }
  TGameModule& Module() { return *Game.Playing; }
  // The module's insides, open to the tests through their fixture, the module's friend.
  struct TInsides {
    TBoard& Board;
    TParticles& Particles;
    int32_t &Lives, &Score, &Timer, &Level, &TilesToClear, &TimeLimit, &HintsLeft;
    const TTile*& HintTile;
  };
  TInsides M() {
    TGameModule& m = *Game.Playing;
    return {m.Board, m.Particles, m.Lives, m.Score, m.Timer, m.Level, m.TilesToClear, m.TimeLimit, m.HintsLeft, m.HintTile};
  }

  TFreeingGame Game;
};

TEST_F(GameModuleTest, LevelsFollowTheTableOnePerPressWithLeftCtrl) {
  EXPECT_EQ(LastSound(ChannelGame), "squeak");
  EXPECT_EQ(std::vector<int>({M().Lives, M().Score, M().Timer}), std::vector<int>({3, 0, 1000}));
  // Kinds, tiles to clear, time limit and hints of levels 0 to 10, and 10 again.
  const std::vector<int> levels[] = {{4, 100, 1000, 4}, {4, 100, 960, 4}, {4, 110, 920, 4}, {4, 110, 880, 3},
      {4, 120, 840, 3}, {5, 120, 800, 3}, {5, 130, 760, 2}, {5, 130, 720, 2}, {5, 140, 680, 2}, {5, 140, 640, 1},
      {6, 150, 600, 1}, {6, 150, 600, 1}};
  Uint8* keys = SDL_GetKeyState(nullptr);
  for (int level = 0; level < 12; ++level) {
    EXPECT_EQ(M().Level, std::min(level, 10));
    EXPECT_EQ(std::vector<int>({M().Board.KindCount, M().TilesToClear, M().TimeLimit, M().HintsLeft}), levels[level]) << level;
    M().HintsLeft = 0;
    keys[SDLK_LCTRL] = 1;
    Press(100, 100);
    keys[SDLK_LCTRL] = 0;
  }
  EXPECT_EQ(M().Timer, 1000) << "a level-up by key leaves the timer";
  keys[SDLK_LSHIFT] = 1;
  Press(100, 100);
  keys[SDLK_LSHIFT] = 0;
  EXPECT_EQ(M().Lives, 1);
}

TEST_F(GameModuleTest, ChainsScoreTheirSquareBurstAndLevelUp) {
  Settle(M().Board, {{1, 1}, {2, 2}, {3, 3}});
  Drag({{1, 1}, {2, 2}});
  EXPECT_EQ(M().Score + M().Board.SelectionCount(), 0);
  M().Timer = 500;
  MarkChannels();
  Drag({{1, 1}}, false);
  EXPECT_EQ(M().Board.SelectionCount(), 1) << "the press picks the tile under the pointer";
  EXPECT_EQ(LastSound(ChannelEffects), "pop");
  Module().MouseButton(false, 0, 0);
  Drag({{1, 1}, {2, 2}, {3, 3}});
  EXPECT_EQ(std::vector<int>({M().Score, M().TilesToClear, M().Timer, ActiveParticles()}), std::vector<int>({9, 97, 1000, 15}));
  EXPECT_EQ(LastSound(ChannelEffects) + LastSound(ChannelGame), "scorenothing");
  Settle(M().Board, Row4);
  M().TilesToClear = 5;  // the two extra tiles are not carried over
  Drag(Row4);
  EXPECT_EQ(std::vector<int>({M().Score, M().Level, M().TilesToClear, M().Timer, ActiveParticles()}),
            std::vector<int>({58, 1, 100, 960, 50}));
  EXPECT_EQ(LastSound(ChannelEffects) + LastSound(ChannelGame), "scoresqueak");
  Settle(M().Board, Row4);
  Drag(Row4);
  EXPECT_EQ(ActiveParticles(), 64) << "sparks with no free slot are dropped";
  for (int tick = 0; tick < 30; ++tick) Module().Update();
  EXPECT_EQ(ActiveParticles(), 0);
}

TEST_F(GameModuleTest, TimeOutComesOneTickAfterZeroAndTheLastLifeEndsTheGame) {
  Settle(M().Board, {{1, 1}, {2, 2}, {3, 3}});
  Drag({{1, 1}, {2, 2}}, false);
  M().Timer = 1;
  Module().Update();
  EXPECT_EQ(M().Lives, 3);
  MarkChannels();
  Module().Update();
  EXPECT_EQ(std::vector<int>({M().Lives, M().Timer, M().TilesToClear, M().Board.SelectionCount()}), std::vector<int>({2, 999, 100, 2}));
  EXPECT_EQ(LastSound(ChannelGame), "hit");
  EXPECT_LT(M().Board.Cell(1, 1)->Kind, 4) << "the planted kind is drawn again";
  M().Score = 7, M().Lives = 1, M().Timer = 0;
  Module().Update();
  EXPECT_EQ(Game.Playing, nullptr);
  EXPECT_EQ(Game.Choices, std::vector<int>{1});
  EXPECT_EQ(Game.HandedScore, 7);
}

TEST_F(GameModuleTest, ButtonsReactInsideTheirSquaresOnlyAndTheHintGoesWithItsTile) {
  MarkChannels();
  Press(40, 444);
  EXPECT_EQ(M().HintsLeft, 4) << "no marked tile: no hint spent";
  Settle(M().Board, {{4, 0}, {5, 0}, {6, 0}});
  for (const TPoint p : Cells{{56, 444}, {40, 460}, {23, 444}, {40, 427}}) Press(p.X, p.Y);
  EXPECT_EQ(M().HintsLeft, 4);
  EXPECT_EQ(LastSound(ChannelEffects), "nothing");
  Press(55, 459);
  EXPECT_EQ(M().HintsLeft, 3);
  EXPECT_EQ(M().HintTile, M().Board.Cell(4, 0));
  EXPECT_EQ(LastSound(ChannelEffects), "score");
  M().HintsLeft = 0;
  Press(24, 428);
  EXPECT_EQ(M().HintsLeft, 0);
  Drag({{4, 0}, {5, 0}, {6, 0}});
  EXPECT_EQ(M().HintTile, nullptr);
  for (const TPoint p : Cells{{47, 20}, {20, 47}, {14, 30}, {30, 14}}) Press(p.X, p.Y);
  ASSERT_NE(Game.Playing, nullptr);
  Press(46, 46);
  EXPECT_EQ(Game.Choices, std::vector<int>{1});
  EXPECT_EQ(Game.HandedScore, 9);
}

TEST_F(GameModuleTest, EverythingIsDrawnInItsPlace) {
  Settle(M().Board, {{2, 3}, {3, 3}, {4, 3}});
  for (int kind = 0; kind < KindLimit; ++kind) M().Board.Cell(kind, 0)->Kind = uint8_t(kind);
  Press(40, 444);  // the hint, on (2, 3)
  Drag({{2, 3}, {3, 3}}, false);
  for (int tick = 0; tick < 99; ++tick) Module().Update();
  M().Timer = 400, M().Score = 58;
  M().Particles.SpawnParticle(StarShape, 100, 100, 0, 0);
  M().Particles.SpawnParticle(0, 120.9f, 100, 0, 0);
  Module().MouseMove(469, 296);
  ClearScreen();
  Module().Draw();
  const Rgb bg = Shown("background"), white = OnScreen({255, 255, 255}), yellow = OnScreen({255, 255, 0});
  const Rgb brown = OnScreen({125, 95, 25});
  const std::tuple<int, int, Rgb> probes[] = {
      {639, 479, bg}, {15, 15, Shown("quit")}, {46, 46, Shown("quit")}, {14, 14, bg}, {469, 296, Shown("hand")},
      // The head-up rows: lives, score, tiles to clear and hints, icon and value.
      {24, 314, Shown("lives")}, {55, 345, Shown("lives")}, {23, 314, bg}, {24, 352, Shown("score")}, {24, 390, Shown("tiles")},
      {55, 459, Shown("wand")}, {64, 320, ShownDigit(3)}, {75, 339, ShownDigit(3)}, {76, 320, bg}, {64, 358, ShownDigit(5)},
      {87, 377, ShownDigit(8)}, {64, 396, ShownDigit(1)}, {88, 396, ShownDigit(0)}, {64, 434, ShownDigit(3)}, {63, 434, bg},
      // The timer's outline, and its bar of one pixel per four ticks.
      {240, 467, white}, {493, 467, white}, {366, 461, white}, {366, 472, white}, {494, 467, bg}, {241, 462, bg},
      {242, 463, yellow}, {341, 470, yellow}, {342, 466, bg},
      // Each kind's picture on a disc; the hinted tile rimmed white, the selected ones ringed yellow.
      {213, 40, Shown("pumpkin")}, {277, 40, Shown("ghost")}, {341, 40, Shown("spider")}, {405, 40, Shown("witcheshat")},
      {469, 40, Shown("bat")}, {533, 40, Shown("cat")}, {189, 16, Shown("pumpkin")}, {236, 63, Shown("pumpkin")},
      {341, 232, Shown("cat")}, {373, 232, white}, {313, 232, yellow}, {366, 232, brown}, {377, 232, yellow},
      {563, 360, brown}, {564, 360, bg}, {502, 232, bg},
      // A star by its corner, a dot round its point.
      {100, 100, Shown("star")}, {108, 108, Shown("star")}, {99, 99, bg}, {119, 99, white}, {121, 101, white},
      {118, 100, bg}, {122, 100, bg}};
  for (const auto& [x, y, colour] : probes) EXPECT_EQ(ScreenAt(x, y), colour) << "at " << x << "," << y;
  Module().Update();  // the hint's 100th tick: its rim goes
  M().Timer = 3;
  ClearScreen();
  Module().Draw();
  EXPECT_EQ(ScreenAt(373, 232), bg);
  EXPECT_EQ(ScreenAt(242, 466), bg) << "no bar below four ticks";
  EXPECT_EQ(ScreenAt(240, 467), white);
}
