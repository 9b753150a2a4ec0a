#include "screens/PageModule.h"

#include "AssetFiles.h"
#include "media/LibGraphics.h"

void TPageModule::Load() {
  BackgroundSprite = LoadSprite(SpriteFile::Background);
  HandSprite = LoadSprite(SpriteFile::Hand);
  FontSprite = LoadSprite(SpriteFile::Font);
  BackSprite = LoadSprite(SpriteFile::Back);
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
