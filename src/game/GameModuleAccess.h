#pragma once
// The one way for tests and benchmarks into a puzzle screen's state, to check it or to set up a
// state that play would take long to reach; the module names this class its friend. The game
// itself never uses it.

#include "game/GameModule.h"

class TGameModuleAccess {
 public:
  // Implicit: a view of the module, not a copy.
  TGameModuleAccess(TGameModule& m)
      : Board(m.Board),
        Particles(m.Particles),
        Lives(m.Lives),
        Score(m.Score),
        Timer(m.Timer),
        Level(m.Level),
        TilesToClear(m.TilesToClear),
        TimeLimit(m.TimeLimit),
        HintsLeft(m.HintsLeft),
        HintTicks(m.HintTicks),
        HintTile(m.HintTile),
        ButtonDown(m.ButtonDown),
        CursorColumn(m.CursorColumn),
        CursorRow(m.CursorRow) {}
  TBoard& Board;
  TParticles& Particles;
  int32_t &Lives, &Score, &Timer, &Level, &TilesToClear, &TimeLimit, &HintsLeft, &HintTicks;
  const TTile*& HintTile;
  bool& ButtonDown;
  int &CursorColumn, &CursorRow;
};
