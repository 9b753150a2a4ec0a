#pragma once
// Every screen held in its heaviest state, frame after frame: the states that frame benchmarks
// time and label with checksums. Needs the window (InitGraphics), the mixer (InitSound) and the
// pictures and sounds in the working directory; the random generator is seeded, so a state and
// the frames that follow it are the same on every run.

#include "shell/LibGame.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

enum class TScreenState {
  Intro,  // the ghost flying under the title
  Menu,   // the hand over an entry
  Help,
  Credits,
  ScoreTable,
  ScoreKeyboard,  // name entry with a name typed
  GameAtRest,
  GameFalling,    // the columns falling after a chain of seven along the bottom row
  GameSelection,  // seven tiles selected, the hint showing and all 64 particle slots live
};

constexpr std::array<TScreenState, 9> AllScreenStates = {
    TScreenState::Intro,      TScreenState::Menu,        TScreenState::Help,
    TScreenState::Credits,    TScreenState::ScoreTable,  TScreenState::ScoreKeyboard,
    TScreenState::GameAtRest, TScreenState::GameFalling, TScreenState::GameSelection};

std::string_view ScreenStateName(TScreenState state);
// The state of that name, or none.
std::optional<TScreenState> ScreenStateNamed(std::string_view name);

// A controller with one module in one state. The module's own ticks would move it out of that
// state (the intro ends, the timer runs out, the particles die), so the scenario builds the state
// again whenever it has run its course; the frames in between are the module's own. Reports from
// the module are ignored.
class TScreenScenario : public TGame {
 public:
  // Loads the module and builds the state; throws as the module's Load does.
  explicit TScreenScenario(TScreenState state);
  ~TScreenScenario() override;

  void Start() override {}
  // Call before each frame: builds the state again when it has run its course, and counts the
  // frame about to run.
  void KeepHeavy();
  // One frame's own work: Update, black clear, Draw (no events, pause or flip).
  void FrameWork();
  void Frame() {
    KeepHeavy();
    FrameWork();
  }
  // Whether the next frame starts from a freshly built state.
  bool RunOut() const;

 private:
  void Build();
  void BuildGame();

  TScreenState State;
  OwnedModule<TModule> Module;
  int32_t FramesLeft = 0;      // negative: the state lasts for ever
  int32_t LevelZeroTiles = 0;  // the puzzle's tiles to clear as it started
};

// FNV-1a (with a shift) over Screen's visible pixels in 32-bit words, row by row (the row padding is left out).
// Continues from hash, so the frames of a run fold into one value.
constexpr uint32_t ChecksumStart = 2166136261u;
uint32_t ScreenChecksum(uint32_t hash = ChecksumStart);
