#include "game/GameModule.h"

#include "game/LibRandom.h"
#include "game/RestingBoard.h"
#include "media/LibSound.h"
#include "scores/HighScoreModule.h"
#include "shell/BoglingsAndSkitters.h"
#include "support/Headless.h"
#include "support/Player.h"

#include <string>
#include <tuple>
#include <vector>

namespace {

// Each sound a length of its own, so the chunk left on a channel tells which one played last.
const std::vector<std::pair<std::string, int>> SoundFrames = {{"pop", 441}, {"score", 882}, {"squeak", 1323}, {"hit", 1764}};

// Records the report and frees the module inside it, as the real controller does, so a touch
// after the report shows under the sanitizers.
class TRecordingGame : public TGame {
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

int ScreenX(int column) { return CellCentre(column, 0).X; }
int ScreenY(int row) { return CellCentre(0, row).Y; }
const Cells Row4 = {{0, 4}, {1, 4}, {2, 4}, {3, 4}, {4, 4}, {5, 4}, {6, 4}};

}  // namespace

class GameModuleTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    for (const auto& [name, frames] : SoundFrames) WriteDatFile("sounds/" + name + ".dat", MakeWav(frames));
    Marker = Mix_QuickLoad_RAW(MarkerBytes.data(), static_cast<Uint32>(MarkerBytes.size()));
    Game.Playing.reset(new TGameModule(Game));
    Game.SetModule(Game.Playing.get());
    Settle();
  }

  void TearDown() override {
    Mix_HaltChannel(-1);
    Mix_FreeChunk(Marker);
    Game.Playing.reset();
    HeadlessTest::TearDown();
  }

  void Settle() { SettleWithoutLines(Board()); }

  // The planted cells are the board's only line, marked at its start.
  void Plant(const Cells& cells) {
    ::Plant(Board(), cells);
    Board().MarkRuns();
  }

  void Drag(const Cells& cells, bool release = true) {
    Module().MouseMove(ScreenX(cells[0].first), ScreenY(cells[0].second));
    Module().MouseButton(true, 0, 0);
    for (auto [c, r] : cells) Module().MouseMove(ScreenX(c), ScreenY(r));
    if (release) Module().MouseButton(false, 0, 0);
  }

  void Press(int x, int y) {
    Module().MouseMove(x, y);
    Module().MouseButton(true, x, y);
    if (Game.Playing) Module().MouseButton(false, x, y);
  }

  // Loops a silent marker on both game channels: a channel still holding it played nothing since.
  void MarkChannels() {
    for (int channel : {ChannelGame, ChannelEffects}) Mix_PlayChannel(channel, Marker, -1);
  }

  std::string LastSound(int channel) {
    for (const auto& [name, frames] : SoundFrames) {
      if (Mix_GetChunk(channel)->alen == static_cast<Uint32>(frames * 4)) return name;
    }
    return "nothing";
  }

  int ActiveParticles() {
    int active = 0;
    for (const TParticle& particle : Module().Particles.All()) active += particle.Active;
    return active;
  }

  static TBoard& BoardOf(TGameModule& module) { return module.Board; }
  TGameModule& Module() { return *Game.Playing; }
  TBoard& Board() { return BoardOf(Module()); }
  int32_t& Lives() { return Module().Lives; }
  int32_t& Timer() { return Module().Timer; }
  int32_t& Level() { return Module().Level; }
  int32_t& TilesToClear() { return Module().TilesToClear; }
  int32_t& HintsLeft() { return Module().HintsLeft; }
  int32_t TimeLimit() { return Module().TimeLimit; }
  const TTile* HintTile() { return Module().HintTile; }

  TRecordingGame Game;
  std::vector<uint8_t> MarkerBytes = std::vector<uint8_t>(400, 0);
  Mix_Chunk* Marker = nullptr;
};

TEST_F(GameModuleTest, LevelsFollowTheTableOnePerPressWithLeftCtrl) {
  EXPECT_EQ(LastSound(ChannelGame), "squeak");
  EXPECT_EQ(Lives(), 3);
  EXPECT_EQ(Timer(), 1000);
  const int table[][4] = {{4, 100, 1000, 4}, {4, 100, 960, 4}, {4, 110, 920, 4}, {4, 110, 880, 3}, {4, 120, 840, 3},
                          {5, 120, 800, 3},  {5, 130, 760, 2}, {5, 130, 720, 2}, {5, 140, 680, 2}, {5, 140, 640, 1},
                          {6, 150, 600, 1},  {6, 150, 600, 1}};
  Uint8* keys = SDL_GetKeyState(nullptr);
  for (int i = 0; i < 12; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Level(), std::min(i, 10));
    EXPECT_EQ(Board().KindCount, table[i][0]);
    EXPECT_EQ(TilesToClear(), table[i][1]);
    EXPECT_EQ(TimeLimit(), table[i][2]);
    EXPECT_EQ(HintsLeft(), table[i][3]);
    HintsLeft() = 0;
    keys[SDLK_LCTRL] = 1;
    Press(100, 100);
    keys[SDLK_LCTRL] = 0;
  }
  EXPECT_EQ(Timer(), 1000) << "a level-up by key leaves the timer";
  keys[SDLK_LSHIFT] = 1;
  Press(100, 100);
  keys[SDLK_LSHIFT] = 0;
  EXPECT_EQ(Lives(), 1);
}

TEST_F(GameModuleTest, ChainsScoreTheirSquareBurstAndLevelUp) {
  Plant({{1, 1}, {2, 2}, {3, 3}});
  Drag({{1, 1}, {2, 2}});
  EXPECT_EQ(Module().GetScore(), 0);
  EXPECT_EQ(Board().SelectionCount(), 0);

  Timer() = 500;
  MarkChannels();
  Drag({{1, 1}, {2, 2}, {3, 3}});
  EXPECT_EQ(Module().GetScore(), 9);
  EXPECT_EQ(TilesToClear(), 97);
  EXPECT_EQ(Timer(), 1000);
  EXPECT_EQ(LastSound(ChannelEffects), "score");
  EXPECT_EQ(LastSound(ChannelGame), "nothing");
  EXPECT_EQ(ActiveParticles(), 15);

  Settle();
  Plant(Row4);
  TilesToClear() = 5;
  Drag(Row4, false);
  EXPECT_EQ(LastSound(ChannelEffects), "pop");
  Module().MouseButton(false, 0, 0);
  EXPECT_EQ(Module().GetScore(), 58);
  EXPECT_EQ(Level(), 1);
  EXPECT_EQ(TilesToClear(), 100) << "the two extra tiles are not carried over";
  EXPECT_EQ(Timer(), 960);
  EXPECT_EQ(LastSound(ChannelEffects), "score");
  EXPECT_EQ(LastSound(ChannelGame), "squeak");
  EXPECT_EQ(ActiveParticles(), 50);

  Settle();
  Plant(Row4);
  Drag(Row4);
  EXPECT_EQ(ActiveParticles(), 64) << "sparks with no free slot are dropped";
  for (int tick = 0; tick < 30; ++tick) Module().Update();
  EXPECT_EQ(ActiveParticles(), 0);
}

// The directions' cosines and sines are taken in double precision: with float ones, the speeds
// marked < would come out one float apart.
TEST(SparksTest, FiveSparksLeaveTheTileClockwiseFromTheRight) {
  SetRandomSeed(6);  // speeds 1.3, 2.8, 2.3, 1.7, 2.3; shapes 0, 1, 1, 0, 0
  TParticles sparks;
  sparks.SpawnBurst(64, 128);
  const TParticle expected[] = {{true, 287, 168, 1.3f, 0, 30, 0},
                                {true, 280.090179f, 177.510559f, 0.865247488f, 2.66295815f /* < */, 30, 1},
                                {true, 268.909821f, 173.877853f, -1.86073911f /* < */, 1.35190594f, 30, 1},
                                {true, 268.909821f, 162.122147f, -1.37532878f /* < */, -0.999235094f /* < */, 30, 0},
                                {true, 280.090179f, 158.489441f, 0.710739374f, -2.1874299f, 30, 0},
                                {}};
  auto fields = [](const TParticle& p) { return std::tuple(p.Active, p.X, p.Y, p.DX, p.DY, p.Life, p.Shape); };
  for (int i = 0; i < 6; ++i) EXPECT_EQ(fields(sparks.All()[i]), fields(expected[i])) << i;
}

TEST_F(GameModuleTest, TimeOutComesOneTickAfterZeroAndTheLastLifeEndsTheGame) {
  Plant({{1, 1}, {2, 2}, {3, 3}});
  Drag({{1, 1}, {2, 2}}, false);
  Timer() = 1;
  Module().Update();
  EXPECT_EQ(Lives(), 3);
  MarkChannels();
  Module().Update();
  EXPECT_EQ(Lives(), 2);
  EXPECT_EQ(Timer(), 999);
  EXPECT_EQ(LastSound(ChannelGame), "hit");
  EXPECT_LT(Board().Cell(1, 1)->Kind, 4) << "the planted cat is drawn again";
  EXPECT_EQ(Board().SelectionCount(), 2) << "the drag goes on";
  EXPECT_EQ(TilesToClear(), 100);

  Lives() = 1;
  Timer() = 0;
  Module().Update();
  EXPECT_EQ(Game.Playing, nullptr);
  EXPECT_EQ(Game.Choices, std::vector<int>{1});
  EXPECT_EQ(Game.HandedScore, 0);
}

TEST_F(GameModuleTest, ButtonsReactInsideTheirSquaresOnly) {
  Board().MarkRuns();
  MarkChannels();
  Press(40, 444);
  EXPECT_EQ(HintsLeft(), 4) << "no marked tile: no hint spent";
  Plant({{4, 0}, {5, 0}, {6, 0}});
  for (auto [x, y] : Cells{{56, 444}, {40, 460}, {23, 444}, {40, 427}}) Press(x, y);
  EXPECT_EQ(HintsLeft(), 4);
  EXPECT_EQ(LastSound(ChannelEffects), "nothing");
  Press(55, 459);
  EXPECT_EQ(HintsLeft(), 3);
  EXPECT_EQ(HintTile(), Board().Cell(4, 0));
  EXPECT_EQ(LastSound(ChannelEffects), "score");
  HintsLeft() = 0;
  Press(24, 428);
  EXPECT_EQ(HintsLeft(), 0);

  Drag({{4, 0}, {5, 0}, {6, 0}});
  Press(47, 20);
  Press(20, 47);
  ASSERT_NE(Game.Playing, nullptr);
  Press(46, 46);
  EXPECT_EQ(Game.Choices, std::vector<int>{1});
  EXPECT_EQ(Game.HandedScore, 9);
}

TEST_F(GameModuleTest, TilesRingsAndTimerBarAreDrawnAndTheHintGoesWithItsTile) {
  Plant({{2, 3}, {3, 3}, {4, 3}});
  Press(40, 444);
  Drag({{2, 3}, {3, 3}}, false);
  Module().MouseMove(0, 0);
  Module().Update();
  Timer() = 4;
  ClearScreen();
  Module().Draw();
  EXPECT_EQ(ScreenAt(242, 470), OnScreen({255, 255, 0})) << "a one-pixel timer bar";
  EXPECT_EQ(ScreenAt(243, 470), OnScreen(FixtureColour("background")));
  EXPECT_EQ(DigitOfColour(ScreenAt(65, 321)), 3) << "lives";
  const Rgb white = OnScreen({255, 255, 255}), yellow = OnScreen({255, 255, 0}), brown = OnScreen({125, 95, 25});
  const int x = ScreenX(2), y = ScreenY(3);
  EXPECT_EQ(ScreenAt(x + 32, y), white);
  EXPECT_EQ(ScreenAt(x - 28, y), yellow);
  EXPECT_EQ(ScreenAt(x + 25, y), brown);
  EXPECT_EQ(ScreenAt(x, y), OnScreen(FixtureColour("cat")));
  EXPECT_EQ(ScreenAt(ScreenX(5) + 28, ScreenY(5)), brown);
  EXPECT_EQ(ScreenAt(ScreenX(5) + 32, ScreenY(5)), OnScreen(FixtureColour("background")));

  Module().MouseMove(ScreenX(4), ScreenY(3));
  Module().MouseButton(false, 0, 0);
  EXPECT_EQ(HintTile(), nullptr);
  Timer() = 3;
  ClearScreen();
  Module().Draw();
  EXPECT_EQ(ScreenAt(242, 470), OnScreen(FixtureColour("background"))) << "no bar below 4 ticks";
  EXPECT_EQ(ScreenAt(240, 461), white);
  EXPECT_EQ(ScreenAt(493, 472), white);
  for (int i = 0; i < 49; ++i) {
    const int tileY = static_cast<int>(Board().Cell(i / 7, i % 7)->Y) + 40;
    if (tileY >= 0) {
      EXPECT_NE(ScreenAt(ScreenX(i / 7) + 32, tileY), white) << i;
    }
  }
}

TEST_F(GameModuleTest, DragAndReleaseFromTheMenuToTheHighScores) {
  Game.Playing.reset();
  THalloween halloween;
  halloween.Start();
  TPlayer player(halloween);
  player.Click(5, 5);
  player.Click(400, 225);
  auto* game = player.Showing<TGameModule>();
  ASSERT_NE(game, nullptr);
  player.Frames(40);
  for (int c = 0; c < 3; ++c) BoardOf(*game).Cell(c, 6)->Kind = 0;
  player.Drag({CellCentre(0, 6), CellCentre(1, 6), CellCentre(2, 6)});
  EXPECT_EQ(game->GetScore(), 9);
  player.Click(20, 20);
  EXPECT_NE(player.Showing<THighScoreModule>(), nullptr);
}
