#pragma once
// A player bot for whole-program tests: it drives a controller through real SDL events, one frame
// at a time without the frame pause, and looks at the board the way a player looks at the screen.

#include "game/LibBoard.h"
#include "shell/BoglingsAndSkitters.h"

#include <functional>
#include <optional>
#include <random>
#include <vector>

struct TScreenPoint {
  int X, Y;
};

// The screen point of a cell's centre.
TScreenPoint CellCentre(int column, int row);
// True when no tile is falling.
bool BoardAtRest(const TBoard& board);
// The centres of some straight line of three cells of equal kindAt(column, row), in drag order,
// or nothing.
std::optional<std::vector<TScreenPoint>> FindLineOfThree(const std::function<int(int, int)>& kindAt);
std::optional<std::vector<TScreenPoint>> FindLineOfThree(const TBoard& board);

class TPlayer {
 public:
  explicit TPlayer(THalloween& controller) : Controller(controller) {}

  void Frames(int count);
  // Moves, presses and releases on one spot, then runs a frame.
  void Click(int x, int y);
  // Presses on the first point, moves over the others a frame apart and releases on the last.
  void Drag(const std::vector<TScreenPoint>& points);
  // Runs frames until the check holds, at most limit of them; false when it never did.
  template <class Check>
  bool FramesUntil(Check check, int limit) {
    for (int i = 0; i < limit; ++i) {
      if (check()) return true;
      Frames(1);
    }
    return check();
  }

  template <class Module>
  Module* Showing() const {
    return dynamic_cast<Module*>(Controller.GetCurrentModule());
  }

  // From the menu: a new game, a few lines, the quit button, a name when the score earns a place,
  // and back to the menu. False when any step did not lead where it should.
  bool PlayOneGame(int lines);

 private:
  THalloween& Controller;
};
