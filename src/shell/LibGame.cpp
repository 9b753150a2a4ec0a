#include "shell/LibGame.h"

#include "media/LibGraphics.h"
#include "media/LibPresent.h"

#include "media/SdlCalls.h"

void TGame::SetModule(TModule* module) {
  CurrentModule = module;
  if (!module->IsLoaded()) module->Load();
  int x = 0;
  int y = 0;
  SDL_GetMouseState(&x, &y);
  const TPoint at = ScreenPoint(x, y);
  module->MouseMove(at.X, at.Y);
}

void TModule::DrawHand(const SurfacePtr& hand) const {
  if (Game.IsPointerShown()) DrawSprite(hand, MouseX, MouseY);
}
