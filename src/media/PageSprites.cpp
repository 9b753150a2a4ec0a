#include "media/PageSprites.h"

#include "AssetFiles.h"
#include "media/LibGraphics.h"

void TPageSprites::Load() {
  Background = LoadSprite(SpriteFile::Background);
  Hand = LoadSprite(SpriteFile::Hand);
  Font = LoadSprite(SpriteFile::Font);
  Back = LoadSprite(SpriteFile::Back);
}
