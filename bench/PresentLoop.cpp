// The game's own frame loop (events, Update, 10 ms pause, clear, Draw, flip) on one screen held
// in its heaviest state, on whatever display SDL opens: frames per second and processor use.
// WINDOW is the window's scale as the window manager would resize it (1, 2, ...), or "full" for
// fullscreen as F11 gives it; without it the window opens as the game opens it.
//
//   bench_present SCREEN SECONDS [WINDOW]

#include "BenchSetup.h"
#include "LoopMeter.h"
#include "ScreenScenarios.h"
#include "media/LibGraphics.h"
#include "media/LibPresent.h"
#include "shell/BoglingsAndSkitters.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

int main(int argc, char** argv) {
  const std::optional<TScreenState> screen = argc == 3 || argc == 4 ? ScreenStateNamed(argv[1]) : std::nullopt;
  if (!screen) {
    std::fprintf(stderr, "usage: %s SCREEN SECONDS [1|2|...|full] (SCREEN as named in the frame benchmarks)\n",
                 argv[0]);
    return 2;
  }
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  const double seconds = std::atof(argv[2]);
  OpenMedia(GameDir());
  const std::string window = argc == 4 ? argv[3] : "";
  if (window == "full") ToggleFullscreen();
  if (!window.empty() && window != "full")
    ResizeWindow(ScreenWidth * std::stoi(window), ScreenHeight * std::stoi(window));
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
