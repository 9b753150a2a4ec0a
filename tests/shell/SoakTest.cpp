// Plays the whole program for a long time with seeded random input -- moves, presses, long drags,
// hint and quit presses, name typing, every menu entry but exit -- to shake out crashes, hangs and
// sanitizer reports. BOGLINGS_SOAK_FRAMES sets the length and BOGLINGS_SOAK_SEED the input (see
// README for the long run).

#include "game/GameModule.h"
#include "scores/HighScoreModule.h"
#include "screens/CreditsModule.h"
#include "screens/HelpModule.h"
#include "screens/IntroModule.h"
#include "screens/MenuModule.h"
#include "support/Headless.h"
#include "support/Player.h"

#include <cstdlib>
#include <map>
#include <typeindex>

namespace {

constexpr long DefaultFrames = 100000;
constexpr long DefaultSeed = 20261206;

long Setting(const char* name, long fallback) {
  const char* setting = std::getenv(name);
  return setting ? std::atol(setting) : fallback;
}

class TRandomPlayer {
 public:
  TRandomPlayer(THalloween& controller, unsigned seed) : Controller(controller), Player(controller), Random(seed) {}

  // One frame of play, with input that fits the screen showing.
  void Step() {
    TModule* current = Controller.GetCurrentModule();
    const TModule& shown = *current;
    ++Visits[typeid(shown)];
    if (dynamic_cast<TMenuModule*>(current)) {
      if (Chance(20)) Player.Click(Between(300, 499), Between(150, 349));  // never the exit band
    } else if (auto* game = dynamic_cast<TGameModule*>(current)) {
      PlayGame(*game);
    } else if (dynamic_cast<THighScoreModule*>(current)) {
      if (Chance(10)) Player.Click(Between(270, 510), Between(130, 270));  // the keyboard and round it
    } else if (Chance(200)) {
      Player.Click(Between(0, 639), Between(0, 479));
    }
    if (Chance(3)) PushMotion(Between(0, 639), Between(0, 479));
    Player.Frames(1);
  }

  int ScreensVisited() const { return static_cast<int>(Visits.size()); }

 private:
  void PlayGame(const TGameModule& game) {
    Uint8* keys = SDL_GetKeyState(nullptr);
    keys[SDLK_LCTRL] = Chance(300);   // the level skip
    keys[SDLK_LSHIFT] = Chance(300);  // down to the last life
    if (Chance(15)) {
      std::vector<TScreenPoint> line;
      const int column = Between(0, 6), row = Between(0, 6), dc = Between(-1, 1), dr = Between(-1, 1);
      const int length = Between(1, 8);
      for (int k = 0; k < length; ++k) line.push_back(CellCentre(column + k * dc, row + k * dr));
      Player.Drag(line);
    } else if (Chance(40)) {
      if (const auto found = FindLineOfThree(game.GetBoard())) Player.Drag(*found);
    } else if (Chance(150)) {
      Player.Click(40, 444);  // the wand
    } else if (Chance(3000)) {
      Player.Click(31, 31);  // quit
    } else if (Chance(20)) {
      PushButton(Chance(2), Between(0, 639), Between(0, 479));
    }
  }

  bool Chance(int oneIn) { return std::uniform_int_distribution<int>(1, oneIn)(Random) == 1; }
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(Random); }

  THalloween& Controller;
  TPlayer Player;
  std::mt19937 Random;
  std::map<std::type_index, long> Visits;
};

}  // namespace

class SoakTest : public HeadlessTest {};

TEST_F(SoakTest, SeededRandomPlayVisitsEveryScreenWithoutFault) {
  UseGeneratedAssets();
  THalloween controller;
  controller.Start();
  TRandomPlayer player(controller, static_cast<unsigned>(Setting("BOGLINGS_SOAK_SEED", DefaultSeed)));
  const long frames = Setting("BOGLINGS_SOAK_FRAMES", DefaultFrames);
  for (long frame = 0; frame < frames; ++frame) {
    player.Step();
    ASSERT_FALSE(controller.IsQuitRequested()) << "frame " << frame;
  }
  EXPECT_EQ(player.ScreensVisited(), 6);  // intro, menu, help, credits, game, high scores
}
