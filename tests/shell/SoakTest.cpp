// The whole program played long with seeded random input (moves, presses, drags, the hint and quit
// buttons, the level and life keys, name typing, every menu entry but exit) to shake out crashes,
// hangs and sanitizer reports; BOGLINGS_SOAK_FRAMES and BOGLINGS_SOAK_SEED set length and input.

#include "game/GameModule.h"
#include "shell/BoglingsAndSkitters.h"
#include "support/Headless.h"

#include <random>
#include <set>
#include <typeindex>

class SoakTest : public HeadlessTest {};

TEST_F(SoakTest, SeededRandomPlayVisitsEveryScreenWithoutFault) {
  const auto setting = [](const char* name, long fallback) {
    return std::getenv(name) ? std::atol(std::getenv(name)) : fallback;
  };
  std::mt19937 random(unsigned(setting("BOGLINGS_SOAK_SEED", 20261206)));
  const auto chance = [&](int oneIn) { return std::uniform_int_distribution<int>(1, oneIn)(random) == 1; };
  const auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  UseGeneratedAssets();
  THalloween controller;
  controller.Start();
  std::set<std::type_index> visited;
  for (long frame = setting("BOGLINGS_SOAK_FRAMES", 100000); frame > 0; --frame) {
    visited.insert(typeid(*controller.GetCurrentModule()));
    if (const auto* game = dynamic_cast<const TGameModule*>(controller.GetCurrentModule())) {
      SDL_GetKeyState(nullptr)[SDLK_LCTRL] = chance(300),
      SDL_GetKeyState(nullptr)[SDLK_LSHIFT] = chance(300);  // level skip, last life
      const int column = between(0, 6), row = between(0, 6), dc = between(-1, 1), dr = between(-1, 1);
      std::vector<TPoint> line;
      for (int k = between(1, 8); k > 0; --k) line.push_back(CellCentre(column + k * dc, row + k * dr));
      const auto found = FindLine([&](int c, int r) { return game->GetBoard().Cell(c, r)->Kind; });
      if (chance(15) || (chance(40) && found))
        Drag(controller, chance(2) && found ? *found : line);
      else if (chance(150))
        Click(controller, 40, 444);  // the wand
      else if (chance(3000))
        Click(controller, 31, 31);  // quit
    } else if (chance(10)) {
      Click(controller, between(200, 510), between(130, 349));  // menu entries but exit, keyboard keys
    }
    if (chance(3)) PushMotion(between(0, 639), between(0, 479));
    Frames(controller, 1);
    ASSERT_FALSE(controller.IsQuitRequested()) << frame << " frames before the end";
  }
  EXPECT_EQ(visited.size(), 6u) << "intro, menu, help, credits, game and high scores";
}
