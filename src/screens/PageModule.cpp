#include "screens/PageModule.h"

#include "media/LibGraphics.h"

void TPageModule::Load() { Sprites.Load(); }

void TPageModule::MouseButton(const TButton& button) {
  if (button.Down) {
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
  DrawHand(Sprites.Hand);
}
