#include "shell/LibGame.h"

#include <SDL.h>

void TGame::SetModule(TModule* module) {
  CurrentModule = module;
  if (!module->IsLoaded()) module->Load();
  int x = 0;
  int y = 0;
  SDL_GetMouseState(&x, &y);
  module->MouseMove(x, y);
}
