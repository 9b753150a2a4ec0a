#pragma once
// The high-score screen (being written): a press returns to the menu for now.

#include "shell/LibGame.h"

#include <cstdint>

class THighScoreModule : public TModule {
 public:
  THighScoreModule(TGame& game, bool entering, uint32_t score);
  void MouseButton(bool pressed, int x, int y) override;

 private:
  bool Entering;
  uint32_t Score;
};
