#include "scores/HighScoreModule.h"

THighScoreModule::THighScoreModule(TGame& game, bool entering, uint32_t score)
    : TModule(game), Entering(entering), Score(score) {}

void THighScoreModule::MouseButton(bool pressed, int /*x*/, int /*y*/) {
  if (pressed) {
    Game.ModuleFinished(this);
    return;
  }
}
