#include "screens/IntroModule.h"

#include "AssetFiles.h"
#include "media/LibGraphics.h"
#include "media/LibSound.h"

#include <cmath>

namespace {

constexpr int CentreX = 320;
constexpr int CentreY = 240;
constexpr int32_t LogoFrom = 50, LogoUntil = 200;
constexpr int32_t PresentsFrom = 250, PresentsUntil = 400;
constexpr int32_t TitleFrom = 400, TitleUntil = 600;
constexpr int32_t GhostFrom = 600;
constexpr int32_t TitleOverGhostUntil = 750;
constexpr int PresentsX = 283, PresentsY = 230;

bool During(int32_t ticks, int32_t from, int32_t until) { return ticks >= from && ticks < until; }

}  // namespace

IntroPoint GhostPosition(int32_t ticks) {
  const int32_t flown = ticks - GhostFrom;
  const int wave = static_cast<int>(std::sin(flown / 50.0) * 100);  // truncated, not rounded
  return {2 * flown + 240, wave + CentreY};
}

void TIntroModule::Load() {
  Ticks = 0;
  LogoSprite = LoadSprite(SpriteFile::MakerLogo);
  TitleSprite = LoadSprite(SpriteFile::Title);
  FontSprite = LoadSprite(SpriteFile::Font);
  GhostSprite = LoadSprite(SpriteFile::Ghost);
  HitSound = LoadSound(SoundFile::Hit);
  GhostSound = LoadSound(SoundFile::Ghost);
}

void TIntroModule::Update() { ++Ticks; }

void TIntroModule::MouseButton(const TButton& button) {
  if (button.Down) {
    Game.ModuleFinished(this);
    return;
  }
}

void TIntroModule::KeyDown(TKey /*key*/) {
  Game.ModuleFinished(this);
  return;
}

void TIntroModule::Draw() {
  if (During(Ticks, LogoFrom, LogoUntil)) DrawSpriteCentred(LogoSprite, CentreX, CentreY);
  if (During(Ticks, PresentsFrom, PresentsUntil))
    DrawText(FontSprite, FontGlyphWidth, PresentsX, PresentsY, "presents");
  if (Ticks == TitleFrom) PlaySound(ChannelEffects, HitSound, 0);
  if (During(Ticks, TitleFrom, TitleUntil)) DrawSpriteCentred(TitleSprite, CentreX, CentreY);
  if (Ticks == GhostFrom) PlaySound(ChannelEffects, GhostSound, 0);
  if (During(Ticks, GhostFrom, IntroLength)) DrawGhost();
  if (During(Ticks, GhostFrom, TitleOverGhostUntil)) DrawSpriteCentred(TitleSprite, CentreX, CentreY);
  if (Ticks >= IntroLength) {
    Game.ModuleFinished(this);
    return;
  }
}

void TIntroModule::DrawGhost() {
  const IntroPoint at = GhostPosition(Ticks);
  DrawSpriteCentred(GhostSprite, at.X, at.Y);
}
