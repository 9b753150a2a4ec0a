// The game's own frame loop (events, Update, 10 ms pause, clear, Draw, flip) on one screen held
// in its heaviest state, on whatever display SDL opens: frames per second and processor use.
//
//   bench_present SCREEN SECONDS

#include "BenchSetup.h"
#include "LoopMeter.h"
#include "ScreenScenarios.h"
#include "shell/BoglingsAndSkitters.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

int main(int argc, char** argv) {
  const std::optional<TScreenState> screen = argc == 3 ? ScreenStateNamed(argv[1]) : std::nullopt;
  if (!screen) {
    std::fprintf(stderr, "usage: %s SCREEN SECONDS (SCREEN as named in the frame benchmarks)\n", argv[0]);
    return 2;
  }
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  const double seconds = std::atof(argv[2]);
  OpenMedia(GameDir());
  {
    TScreenScenario scenario(*screen);
    const TLoopMeter meter;
    long frames = 0;
    while (meter.Seconds() < seconds) {
      scenario.KeepHeavy();
      RunFrame(scenario, FrameDelayMs);
      ++frames;
    }
    meter.Report(argv[1], frames);
  }
  CloseMedia();
  return 0;
}
