#include "game/GameModule.h"

void TGameModule::MouseButton(bool pressed, int /*x*/, int /*y*/) {
  if (pressed) {
    Game.ModuleChoice(this, 1);
    return;
  }
}
