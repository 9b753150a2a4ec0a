// The game's own frame loop (events, Update, 10 ms pause, clear, Draw, flip) on one screen held
// in its heaviest state, on whatever display SDL opens: frames per second and processor use.
//
//   bench_present SCREEN SECONDS

#include "BenchSetup.h"
#include "LoopMeter.h"
#include "shell/BoglingsAndSkitters.h"
#include "support/ScreenScenarios.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s SCREEN SECONDS\n", argv[0]);
    return 2;
  }
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  const std::string_view name = argv[1];
  const double seconds = std::atof(argv[2]);
  OpenMedia(GameDir());
  for (const TScreenState screen : AllScreenStates) {
    if (ScreenStateName(screen) != name) continue;
    TScreenScenario scenario(screen);
    const TLoopMeter meter;
    long frames = 0;
    while (meter.Seconds() < seconds) {
      scenario.KeepHeavy();
      RunFrame(scenario, FrameDelayMs);
      ++frames;
    }
    meter.Report(std::string(name).c_str(), frames);
  }
  CloseMedia();
  return 0;
}
