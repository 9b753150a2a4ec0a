#include "screens/PageModule.h"

#include "media/LibGraphics.h"

void TPageModule::Load() {
  BackgroundSprite = LoadSprite("sprites/background.dat");
  HandSprite = LoadSprite("sprites/hand.dat");
  FontSprite = LoadSprite("sprites/font.dat");
  BackSprite = LoadSprite("sprites/back.dat");
}

void TPageModule::MouseButton(bool pressed, int /*x*/, int /*y*/) {
  if (pressed) {
    Game.ModuleFinished(this);
    return;
  }
}

void TPageModule::MouseMove(int x, int y) {
  MouseX = x;
  MouseY = y;
}

void TPageModule::Draw() {
  DrawSprite(BackgroundSprite, 0, 0);
  for (const TPageLine& line : Lines) DrawText(FontSprite, FontGlyphWidth, line.X, line.Y, line.Text);
  DrawSprite(BackSprite, BackX, BackY);
  DrawSprite(HandSprite, MouseX, MouseY);
}
