#include "game/GameModule.h"

#include "game/LibRandom.h"
#include "media/LibGraphics.h"
#include "media/LibSound.h"
#include "support/Headless.h"

#include <algorithm>

namespace {

// Each sound a length of its own, so the chunk left on a channel tells which one played last.
const std::pair<std::string, int> SoundFrames[] = {{"pop", 441}, {"score", 882}, {"squeak", 1323}, {"hit", 1764}};
using Cells = std::vector<std::pair<int, int>>;
const Cells Row4 = {{0, 4}, {1, 4}, {2, 4}, {3, 4}, {4, 4}, {5, 4}, {6, 4}};

// Frees the module inside its report, as the real controller does, so a touch after the report
// shows under the sanitizers.
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
    Game.Playing.reset(new TGameModule(Game));
    Game.SetModule(Game.Playing.get());
    Settle();
  }
  void TearDown() override {
    Game.Playing.reset();
    HeadlessTest::TearDown();
  }

  // The board at rest with kinds (column + 2 row) mod 4, no line of three but the planted cells.
  void Settle(const Cells& planted = {}) {
    SetRandomSeed(7);
    for (int i = 0; i < CellCount; ++i) {
      TTile& tile = *M().Board.Cell(i / BoardSize, i % BoardSize);
      tile.Y = tile.TargetY;
      tile.Kind = static_cast<uint8_t>((i / BoardSize + 2 * (i % BoardSize)) % 4);
    }
    for (auto [c, r] : planted) M().Board.Cell(c, r)->Kind = 5;
    M().Board.MarkRuns();
  }
  // Moves to the first cell, presses there and moves over the others.
  void Drag(const Cells& cells, bool release = true) {
    const auto moveTo = [&](std::pair<int, int> cell) {
      Module().MouseMove(CellCentre(cell.first, cell.second).X, CellCentre(cell.first, cell.second).Y);
    };
    moveTo(cells[0]);
    Module().MouseButton(true, 0, 0);
    for (size_t i = 1; i < cells.size(); ++i) moveTo(cells[i]);
    if (release) Module().MouseButton(false, 0, 0);
  }
  void Press(int x, int y) {
    Module().MouseMove(x, y);
    Module().MouseButton(true, x, y);
    if (Game.Playing) Module().MouseButton(false, x, y);
  }
  void MarkChannels() {
    MarkChannel(ChannelGame);
    MarkChannel(ChannelEffects);
  }
  std::string LastSound(int channel) {
    for (const auto& [name, frames] : SoundFrames) {
      if (Mix_GetChunk(channel)->alen == static_cast<Uint32>(frames * 4)) return name;
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
    TGameModule& m = Module();
    return {m.Board, m.Particles, m.Lives, m.Score, m.Timer, m.Level, m.TilesToClear, m.TimeLimit, m.HintsLeft, m.HintTile};
  }

  TFreeingGame Game;
};

TEST_F(GameModuleTest, LevelsFollowTheTableOnePerPressWithLeftCtrl) {
  EXPECT_EQ(LastSound(ChannelGame), "squeak");
  EXPECT_EQ(M().Lives, 3);
  EXPECT_EQ(M().Score, 0);
  EXPECT_EQ(M().Timer, 1000);
  // Kinds, tiles to clear, time limit and hints of levels 0 to 10, and 10 again.
  const int table[][4] = {{4, 100, 1000, 4}, {4, 100, 960, 4}, {4, 110, 920, 4}, {4, 110, 880, 3}, {4, 120, 840, 3},
                          {5, 120, 800, 3},  {5, 130, 760, 2}, {5, 130, 720, 2}, {5, 140, 680, 2}, {5, 140, 640, 1},
                          {6, 150, 600, 1},  {6, 150, 600, 1}};
  Uint8* keys = SDL_GetKeyState(nullptr);
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(M().Level, std::min(i, 10));
    const int got[] = {M().Board.KindCount, M().TilesToClear, M().TimeLimit, M().HintsLeft};
    EXPECT_TRUE(std::equal(got, got + 4, table[i])) << "level " << i;
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
  Settle({{1, 1}, {2, 2}, {3, 3}});
  Drag({{1, 1}, {2, 2}});
  EXPECT_EQ(Module().GetScore(), 0);
  EXPECT_EQ(M().Board.SelectionCount(), 0);

  M().Timer = 500;
  MarkChannels();
  Drag({{1, 1}}, false);
  EXPECT_EQ(M().Board.SelectionCount(), 1) << "the press picks the tile under the pointer";
  EXPECT_EQ(LastSound(ChannelEffects), "pop");
  Module().MouseButton(false, 0, 0);
  Drag({{1, 1}, {2, 2}, {3, 3}});
  EXPECT_EQ(Module().GetScore(), 9);
  EXPECT_EQ(M().TilesToClear, 97);
  EXPECT_EQ(M().Timer, 1000);
  EXPECT_EQ(LastSound(ChannelEffects), "score");
  EXPECT_EQ(LastSound(ChannelGame), "nothing");
  EXPECT_EQ(ActiveParticles(), 15);

  Settle(Row4);
  M().TilesToClear = 5;
  Drag(Row4);
  EXPECT_EQ(Module().GetScore(), 58);
  EXPECT_EQ(M().Level, 1);
  EXPECT_EQ(M().TilesToClear, 100) << "the two extra tiles are not carried over";
  EXPECT_EQ(M().Timer, 960);
  EXPECT_EQ(LastSound(ChannelEffects), "score");
  EXPECT_EQ(LastSound(ChannelGame), "squeak");
  EXPECT_EQ(ActiveParticles(), 50);
  Settle(Row4);
  Drag(Row4);
  EXPECT_EQ(ActiveParticles(), 64) << "sparks with no free slot are dropped";
  for (int tick = 0; tick < 30; ++tick) Module().Update();
  EXPECT_EQ(ActiveParticles(), 0);
}

TEST_F(GameModuleTest, TimeOutComesOneTickAfterZeroAndTheLastLifeEndsTheGame) {
  Settle({{1, 1}, {2, 2}, {3, 3}});
  Drag({{1, 1}, {2, 2}}, false);
  M().Timer = 1;
  Module().Update();
  EXPECT_EQ(M().Lives, 3);
  MarkChannels();
  Module().Update();
  EXPECT_EQ(M().Lives, 2);
  EXPECT_EQ(M().Timer, 999);
  EXPECT_EQ(LastSound(ChannelGame), "hit");
  EXPECT_LT(M().Board.Cell(1, 1)->Kind, 4) << "the planted kind is drawn again";
  EXPECT_EQ(M().Board.SelectionCount(), 2) << "the drag goes on";
  EXPECT_EQ(M().TilesToClear, 100);
  M().Score = 7;
  M().Lives = 1;
  M().Timer = 0;
  Module().Update();
  EXPECT_EQ(Game.Playing, nullptr);
  EXPECT_EQ(Game.Choices, std::vector<int>{1});
  EXPECT_EQ(Game.HandedScore, 7);
}

TEST_F(GameModuleTest, ButtonsReactInsideTheirSquaresOnly) {
  MarkChannels();
  Press(40, 444);
  EXPECT_EQ(M().HintsLeft, 4) << "no marked tile: no hint spent";
  Settle({{4, 0}, {5, 0}, {6, 0}});
  for (auto [x, y] : Cells{{56, 444}, {40, 460}, {23, 444}, {40, 427}}) Press(x, y);
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
  EXPECT_EQ(M().HintTile, nullptr) << "the hint goes with its tile";
  for (auto [x, y] : Cells{{47, 20}, {20, 47}, {14, 30}, {30, 14}}) Press(x, y);
  ASSERT_NE(Game.Playing, nullptr);
  Press(46, 46);
  EXPECT_EQ(Game.Choices, std::vector<int>{1});
  EXPECT_EQ(Game.HandedScore, 9);
}

TEST_F(GameModuleTest, EverythingIsDrawnInItsPlace) {
  const char* kinds[] = {"pumpkin", "ghost", "spider", "witcheshat", "bat", "cat"};
  Settle({{2, 3}, {3, 3}, {4, 3}});
  for (int kind = 0; kind < KindLimit; ++kind) M().Board.Cell(kind, 0)->Kind = static_cast<uint8_t>(kind);
  Press(40, 444);  // the hint, on (2, 3)
  Drag({{2, 3}, {3, 3}}, false);
  for (int tick = 0; tick < 99; ++tick) Module().Update();
  M().Timer = 400;
  M().Score = 58;
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
      {24, 314, Shown("lives")}, {55, 345, Shown("lives")}, {23, 314, bg}, {24, 352, Shown("score")},
      {24, 390, Shown("tiles")}, {55, 459, Shown("wand")}, {64, 320, ShownDigit(3)}, {75, 339, ShownDigit(3)},
      {76, 320, bg}, {64, 358, ShownDigit(5)}, {87, 377, ShownDigit(8)}, {64, 396, ShownDigit(1)},
      {88, 396, ShownDigit(0)}, {64, 434, ShownDigit(3)}, {63, 434, bg},
      // The timer's outline, and its bar of one pixel per four ticks.
      {240, 467, white}, {493, 467, white}, {366, 461, white}, {366, 472, white}, {494, 467, bg}, {241, 462, bg},
      {242, 463, yellow}, {341, 470, yellow}, {342, 466, bg},
      // Tiles on discs; the hinted one rimmed white, the selected ones ringed yellow.
      {213, 40, Shown(kinds[0])}, {277, 40, Shown(kinds[1])}, {341, 40, Shown(kinds[2])}, {405, 40, Shown(kinds[3])},
      {469, 40, Shown(kinds[4])}, {533, 40, Shown(kinds[5])}, {189, 16, Shown(kinds[0])}, {236, 63, Shown(kinds[0])},
      {341, 232, Shown("cat")}, {373, 232, white}, {313, 232, yellow}, {366, 232, brown}, {377, 232, yellow},
      {533 + 30, 360, brown}, {533 + 31, 360, bg}, {469 + 33, 232, bg},
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
