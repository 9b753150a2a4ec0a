#include "screens/PageModule.h"

#include "media/LibGraphics.h"

void TPageModule::Load() { Sprites.Load(); }

void TPageModule::MouseButton(bool pressed, int /*x*/, int /*y*/) {
  if (pressed) {
    Game.ModuleFinished(this);
    return;
  }
}

void TPageModule::KeyDown(TKey /*key*/) {
  Game.ModuleFinished(this);
  return;
}

void TPageModule::Draw() {
  DrawSprite(Sprites.Background, 0, 0);
  for (const TPageLine& line : Lines) DrawText(Sprites.Font, FontGlyphWidth, line.X, line.Y, line.Text);
  DrawSprite(Sprites.Back, BackX, BackY);
  DrawSprite(Sprites.Hand, MouseX, MouseY);
}
