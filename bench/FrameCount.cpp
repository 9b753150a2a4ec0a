// Runs a fixed number of frames of one screen's heaviest state (Update, black clear, Draw) for
// counting instructions: under valgrind --tool=callgrind --collect-atstart=no only those frames
// are counted, without the loading and the rebuilding of the state. With "present", only what
// presenting each of those frames costs before SDL converts a pixel is counted instead: the
// comparison with the frame shown and the copy of what changed (the dummy driver shows nothing).
//
//   bench_frame_count SCREEN FRAMES [present]

#include "BenchSetup.h"
#include "ScreenScenarios.h"
#include "media/LibGraphics.h"
#include "media/LibPresent.h"

#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

template <class Work>
void Counted(Work work) {
  CALLGRIND_TOGGLE_COLLECT;
  work();
  CALLGRIND_TOGGLE_COLLECT;
}

int main(int argc, char** argv) {
  const std::optional<TScreenState> screen = argc == 3 || argc == 4 ? ScreenStateNamed(argv[1]) : std::nullopt;
  const bool presentOnly = argc == 4 && std::string_view(argv[3]) == "present";
  if (!screen || (argc == 4 && !presentOnly)) {
    std::fprintf(stderr, "usage: %s SCREEN FRAMES [present] (SCREEN as named in the frame benchmarks)\n", argv[0]);
    return 2;
  }
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  const int frames = std::atoi(argv[2]);
  OpenMedia(GameDir());
  {
    TScreenScenario scenario(*screen);
    if (presentOnly) {  // the first frame shown is always the whole screen
      scenario.Frame();
      PresentScreen(Screen);
    }
    for (int frame = 0; frame < frames; ++frame) {
      scenario.KeepHeavy();
      if (presentOnly) {
        scenario.FrameWork();
        Counted([] { PresentScreen(Screen); });
      } else {
        Counted([&] { scenario.FrameWork(); });
      }
    }
  }
  CloseMedia();
  return 0;
}
