// Many games in a row must leave the live heap where two games left it: every picture, sound,
// board and tile a screen loads goes when the screen is left. Prints both figures; exits 1 when
// the heap grew by more than the margin.
//   bench_long_play [GAMES]   (200 by default; the generated art, headless)

#include "BenchSetup.h"
#include "game/GameModule.h"
#include "screens/MenuModule.h"
#include "shell/BoglingsAndSkitters.h"
#include "support/Input.h"

#include <malloc.h>

#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();  // its allocator bypasses malloc's count
static size_t LiveHeapBytes() { return __sanitizer_get_current_allocated_bytes(); }
#else
static size_t LiveHeapBytes() { return mallinfo2().uordblks; }
#endif

namespace {

constexpr size_t Margin = 64 * 1024;

// From the menu: a new game, three lines, the quit button, the table (or "enter" on the keyboard
// for a score that earns a place) and back to the menu.
bool PlayOneGame(THalloween& controller) {
  Click(controller, 400, 225);
  const auto* game = dynamic_cast<const TGameModule*>(controller.GetCurrentModule());
  for (int line = 0; game && line < 3; ++line) {
    Frames(controller, 40);
    if (const auto found = FindLine([&](int c, int r) { return game->GetBoard().Cell(c, r)->Kind; }))
      Drag(controller, *found);
  }
  for (const TPoint press : {TPoint{31, 31}, {300, 240}, {10, 10}})
    Frames(controller, 151), Click(controller, press.X, press.Y);
  return dynamic_cast<TMenuModule*>(controller.GetCurrentModule()) != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  const int games = argc > 1 ? std::atoi(argv[1]) : 200;
  OpenMedia(GameDir());
  size_t afterSecond = 0, afterLast = 0;
  {
    THalloween controller;
    controller.Start();
    Click(controller, 0, 0);
    for (int game = 1; game <= games; ++game) {
      if (!PlayOneGame(controller)) return std::fprintf(stderr, "game %d did not end on the menu\n", game), 1;
      if (game == 2) afterSecond = LiveHeapBytes();
    }
    afterLast = LiveHeapBytes();  // with the controller alive, as after game 2: what it holds counts too
  }
  std::printf("live heap after game 2: %zu bytes, after game %d: %zu bytes\n", afterSecond, games, afterLast);
  CloseMedia();
  return afterLast <= afterSecond + Margin ? 0 : 1;
}
