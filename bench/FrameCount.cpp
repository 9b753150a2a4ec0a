// Runs a fixed number of frames of one screen's heaviest state (Update, black clear, Draw) for
// counting instructions: under valgrind --tool=callgrind --collect-atstart=no only those frames
// are counted, without the loading and the rebuilding of the state.
//
//   bench_frame_count SCREEN FRAMES

#include "BenchSetup.h"
#include "support/ScreenScenarios.h"

#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s SCREEN FRAMES\n", argv[0]);
    return 2;
  }
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  const std::string_view name = argv[1];
  const int frames = std::atoi(argv[2]);
  OpenMedia(GameDir());
  for (const TScreenState screen : AllScreenStates) {
    if (ScreenStateName(screen) != name) continue;
    TScreenScenario scenario(screen);
    for (int frame = 0; frame < frames; ++frame) {
      scenario.KeepHeavy();
      CALLGRIND_TOGGLE_COLLECT;
      scenario.FrameWork();
      CALLGRIND_TOGGLE_COLLECT;
    }
  }
  CloseMedia();
  return 0;
}
