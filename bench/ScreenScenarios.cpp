#include "ScreenScenarios.h"

#include "game/GameLayout.h"
#include "game/GameModule.h"
#include "game/GameModuleAccess.h"
#include "game/LibRandom.h"
#include "media/LibGraphics.h"
#include "scores/HighScoreModule.h"
#include "screens/CreditsModule.h"
#include "screens/HelpModule.h"
#include "screens/IntroModule.h"
#include "screens/MenuModule.h"

#include <SDL.h>

#include <cstring>
#include <string>

// Reaches inside the puzzle screen to set up a board that play would take many moves to reach.
class GameModuleProbe {
 public:
  explicit GameModuleProbe(TGameModule& module) : Module(module), State(module) {}

  // The counters back at their level-0 values, nothing selected, hinted or flying, and the board
  // at rest with kinds drawn from a fixed seed.
  void Rewind(int32_t tilesToClear) {
    State.Timer = State.TimeLimit;
    State.TilesToClear = tilesToClear;
    State.Score = 0;
    State.HintTicks = 0;
    State.HintTile = nullptr;
    State.Particles.Clear();
    State.Board.ClearSelection();
    State.ButtonDown = false;
    SetRandomSeed(ScenarioSeed);
    State.Board.RandomiseKinds();
    for (int i = 0; i < CellCount; ++i) {
      TTile& tile = *State.Board.Cell(i % BoardSize, i / BoardSize);
      tile.Y = tile.TargetY;
      tile.FallSpeed = 0.0f;
    }
  }

  // One row of equal tiles, of a kind level 0 never draws, so it is the row's only line.
  void PlantRow(int row) {
    for (int column = 0; column < BoardSize; ++column) State.Board.Cell(column, row)->Kind = KindLimit - 1;
    State.Board.MarkRuns();
  }

  // The pointer drags along the row from left to right, and lets go when release is set.
  void DragRow(int row, bool release) {
    Module.MouseMove(CellX(0), CellY(row));
    Module.MouseButton({true, CellX(0), CellY(row)});
    for (int column = 1; column < BoardSize; ++column) Module.MouseMove(CellX(column), CellY(row));
    if (release) Module.MouseButton({false, CellX(BoardSize - 1), CellY(row)});
  }

  void ShowHintOn(int column, int row, int32_t ticks) {
    State.HintTile = State.Board.Cell(column, row);
    State.HintTicks = ticks;
  }

  // Every slot live, stars and dots alternating, spread over the board and flying apart.
  void FillParticles() {
    for (int slot = 0; slot < ParticleSlots; ++slot) {
      const float x = static_cast<float>(BoardOriginX + 56 * (slot % 8));
      const float y = static_cast<float>(BoardOriginY + 50 * (slot / 8));
      State.Particles.SpawnParticle(static_cast<uint8_t>(slot % 2), x, y, slot % 3 - 1.0f, slot % 5 * 0.5f - 1.0f);
    }
  }

  bool Settled() const {
    for (int i = 0; i < CellCount; ++i) {
      const TTile& tile = *State.Board.Cell(i % BoardSize, i / BoardSize);
      if (tile.Y < tile.TargetY) return false;
    }
    return true;
  }

  int32_t TilesToClear() const { return State.TilesToClear; }

 private:
  static constexpr uint32_t ScenarioSeed = 1031;
  static int CellX(int column) { return BoardOriginX + static_cast<int>(CellPitch) * column; }
  static int CellY(int row) { return BoardOriginY + static_cast<int>(CellPitch) * row; }

  TGameModule& Module;
  TGameModuleAccess State;
};

namespace {

constexpr int32_t LastsForEver = -1;
// The intro shows the ghost under the title from tick 600 to 749.
constexpr int32_t GhostUnderTitleFrom = 600, GhostUnderTitleUntil = 750;
constexpr int32_t ScoreMessageTicks = 150;  // the "new high score!" view before the keyboard
constexpr uint32_t TopScore = 4000000000u;
constexpr int32_t ParticleFrames = ParticleLife - 1;  // frames in which a spawned spark is seen
constexpr int32_t HintFrames = 100;
constexpr int32_t TimerFrames = 900;  // well before the level-0 timer runs out
constexpr int BottomRow = BoardSize - 1, MiddleRow = BoardSize / 2;

// Key cells of the on-screen keyboard, 15 by 20 pixels from (300, 160), 13 letters a row.
void TypeName(TModule& module, std::string_view name) {
  for (const char letter : name) {
    const int key = letter - 'a';
    module.MouseButton({true, 305 + 15 * (key % 13), 165 + 20 * (key / 13)});
  }
}

}  // namespace

std::string_view ScreenStateName(TScreenState state) {
  constexpr std::string_view Names[] = {"Intro",         "Menu",       "Help",        "Credits",      "ScoreTable",
                                        "ScoreKeyboard", "GameAtRest", "GameFalling", "GameSelection"};
  return Names[static_cast<int>(state)];
}

std::optional<TScreenState> ScreenStateNamed(std::string_view name) {
  for (const TScreenState state : AllScreenStates) {
    if (ScreenStateName(state) == name) return state;
  }
  return std::nullopt;
}

TScreenScenario::TScreenScenario(TScreenState state) : State(state) { Build(); }

// The module goes before the controller it refers to.
TScreenScenario::~TScreenScenario() { Module.reset(); }

void TScreenScenario::KeepHeavy() {
  if (RunOut()) Build();
  if (FramesLeft > 0) --FramesLeft;
}

void TScreenScenario::FrameWork() {
  Update();
  SDL_FillRect(Screen, nullptr, SDL_MapRGB(Screen->format, 0, 0, 0));
  Draw();
}

bool TScreenScenario::RunOut() const {
  if (State == TScreenState::GameFalling) return GameModuleProbe(static_cast<TGameModule&>(*Module)).Settled();
  return FramesLeft == 0;
}

void TScreenScenario::Build() {
  FramesLeft = LastsForEver;
  switch (State) {
    case TScreenState::Intro:
      Module.reset(new TIntroModule(*this));
      SetModule(Module.get());
      for (int32_t tick = 1; tick < GhostUnderTitleFrom; ++tick) Update();
      FramesLeft = GhostUnderTitleUntil - GhostUnderTitleFrom;
      return;
    case TScreenState::Menu:
      Module.reset(new TMenuModule(*this));
      SetModule(Module.get());
      MouseMove(400, 225);
      return;
    case TScreenState::Help:
    case TScreenState::Credits:
      Module.reset(State == TScreenState::Help ? static_cast<TModule*>(new THelpModule(*this))
                                               : new TCreditsModule(*this));
      SetModule(Module.get());
      MouseMove(400, 300);
      return;
    case TScreenState::ScoreTable:
      Module.reset(new THighScoreModule(*this, false, 0));
      SetModule(Module.get());
      MouseMove(300, 300);
      return;
    case TScreenState::ScoreKeyboard:
      Module.reset(new THighScoreModule(*this, true, TopScore));
      SetModule(Module.get());
      for (int32_t tick = 0; tick < ScoreMessageTicks; ++tick) Update();
      TypeName(*Module, "boglings");
      MouseMove(310, 200);
      return;
    case TScreenState::GameAtRest:
    case TScreenState::GameFalling:
    case TScreenState::GameSelection: BuildGame(); return;
  }
}

void TScreenScenario::BuildGame() {
  if (!Module) {
    Module.reset(new TGameModule(*this));
    SetModule(Module.get());
    LevelZeroTiles = GameModuleProbe(static_cast<TGameModule&>(*Module)).TilesToClear();
  }
  GameModuleProbe probe(static_cast<TGameModule&>(*Module));
  probe.Rewind(LevelZeroTiles);
  switch (State) {
    case TScreenState::GameFalling:
      probe.PlantRow(BottomRow);
      probe.DragRow(BottomRow, true);
      return;
    case TScreenState::GameSelection:
      probe.PlantRow(MiddleRow);
      probe.DragRow(MiddleRow, false);
      probe.ShowHintOn(0, MiddleRow, HintFrames);
      probe.FillParticles();
      FramesLeft = ParticleFrames;
      return;
    default:
      MouseMove(405, 232);
      FramesLeft = TimerFrames;
      return;
  }
}

uint32_t ScreenChecksum(uint32_t hash) {
  const int rowBytes = Screen->w * Screen->format->BytesPerPixel;
  for (int y = 0; y < Screen->h; ++y) {
    const auto* row = static_cast<const uint8_t*>(Screen->pixels) + y * Screen->pitch;
    // A word at a time, four times fewer steps; the shift lets the high bits reach the low ones,
    // which the multiplication alone never does.
    for (int x = 0; x + 4 <= rowBytes; x += 4) {
      uint32_t word = 0;
      std::memcpy(&word, row + x, 4);
      hash = (hash ^ word) * 16777619u;
      hash ^= hash >> 16;
    }
  }
  return hash;
}
