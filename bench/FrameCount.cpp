// Runs a fixed number of frames of one screen's heaviest state (Update, black clear, Draw) for
// counting instructions: under valgrind --tool=callgrind --collect-atstart=no only those frames
// are counted, without the loading and the rebuilding of the state.
//
//   bench_frame_count SCREEN FRAMES

#include "BenchSetup.h"
#include "ScreenScenarios.h"

#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

int main(int argc, char** argv) {
  const std::optional<TScreenState> screen = argc == 3 ? ScreenStateNamed(argv[1]) : std::nullopt;
  if (!screen) {
    std::fprintf(stderr, "usage: %s SCREEN FRAMES (SCREEN as named in the frame benchmarks)\n", argv[0]);
    return 2;
  }
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  const int frames = std::atoi(argv[2]);
  OpenMedia(GameDir());
  {
    TScreenScenario scenario(*screen);
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
