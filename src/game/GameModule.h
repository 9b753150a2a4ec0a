#pragma once
// The puzzle screen (being written): a press ends the game with no score for now.

#include "shell/LibGame.h"

#include <cstdint>

class TGameModule : public TModule {
 public:
  using TModule::TModule;
  void MouseButton(bool pressed, int x, int y) override;
  // The points of this game, handed to the high-score screen when it ends.
  int32_t GetScore() const { return Score; }

 private:
  int32_t Score = 0;
};
