// The work of one frame (Update, black clear, Draw; no events, pause or presenting) of every
// screen in its heaviest state, with the generated art, and the heaviest puzzle frame with that
// art against the same pictures stored as 24-bit BMPs. Present/ times what presenting adds to each
// frame before SDL converts a pixel: the comparison with the frame shown and the copy of what
// changed (the dummy driver shows nothing). Run with SDL_VIDEODRIVER=dummy so the window costs
// nothing; BOGLINGS_GAME_DIR chooses the art (the build's game directory by default).
//
// Each benchmark's label is the checksum of a fixed run of its frames: it must stay the same
// across an optimisation that claims to draw the same pixels.

#include "BenchSetup.h"
#include "ScreenScenarios.h"
#include "media/LibGraphics.h"
#include "media/LibPresent.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr int ChecksumFrames = 160;

std::string ChecksumLabel(TScreenState screen) {
  TScreenScenario scenario(screen);
  uint32_t checksum = ChecksumStart;
  for (int frame = 0; frame < ChecksumFrames; ++frame) {
    scenario.Frame();
    checksum = ScreenChecksum(checksum);
  }
  char label[32];
  std::snprintf(label, sizeof label, "checksum %08x", checksum);
  return label;
}

// Rebuilding a state that has run its course loads pictures again: it is left out of the time.
void TimeFrames(benchmark::State& state, TScreenState screen) {
  TScreenScenario scenario(screen);
  for (auto _ : state) {
    const bool rebuild = scenario.RunOut();
    if (rebuild) state.PauseTiming();
    scenario.KeepHeavy();
    if (rebuild) state.ResumeTiming();
    scenario.FrameWork();
  }
}

void FrameWork(benchmark::State& state, TScreenState screen) {
  TimeFrames(state, screen);
  state.SetLabel(ChecksumLabel(screen));
}

void PresentWork(benchmark::State& state, TScreenState screen) {
  TScreenScenario scenario(screen);
  scenario.Frame();
  PresentScreen(Screen);  // the first frame shown is always the whole screen
  for (auto _ : state) {
    scenario.Frame();
    const auto start = std::chrono::steady_clock::now();
    PresentScreen(Screen);
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
}

// The same frames from pictures in another directory.
void FrameWorkFrom(benchmark::State& state, TScreenState screen, const fs::path& dir) {
  const fs::path home = fs::current_path();
  fs::current_path(dir);
  FrameWork(state, screen);
  fs::current_path(home);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  benchmark::Initialize(&argc, argv);
  const fs::path shipped = fs::absolute(GameDir());
  const fs::path bmp24 = WriteBmp24Copy(shipped, fs::temp_directory_path() / "boglings-bench-bmp24");
  OpenMedia(shipped);
  for (const TScreenState screen : AllScreenStates) {
    benchmark::RegisterBenchmark(("Frame/" + std::string(ScreenStateName(screen))).c_str(), FrameWork, screen)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("Present/" + std::string(ScreenStateName(screen))).c_str(), PresentWork, screen)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
  }
  for (const auto& [format, dir] : {std::pair{"shipped", shipped}, std::pair{"bmp24", bmp24}}) {
    benchmark::RegisterBenchmark((std::string("AssetFormat/GameSelection/") + format).c_str(), FrameWorkFrom,
                                 TScreenState::GameSelection, dir)
        ->Unit(benchmark::kMicrosecond);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  CloseMedia();
  fs::remove_all(bmp24);
  return 0;
}
