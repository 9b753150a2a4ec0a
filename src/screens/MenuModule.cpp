#include "screens/MenuModule.h"

#include "AssetFiles.h"
#include "media/LibGraphics.h"
#include "media/LibSound.h"

#include <iterator>

namespace {

// The entries stand in a column of 200 by 50 bands centred on x = 400, the first centred at y = 175.
constexpr int EntryCentreX = 400;
constexpr int FirstEntryCentreY = 175;
constexpr int EntryPitch = 50;
constexpr int ColumnLeft = 300, ColumnRight = 500;
constexpr int ColumnTop = 150, ColumnBottom = 400;
// The entries' choices from the top; the entry below them, Exit, asks to quit.
constexpr TMenuChoice EntryChoices[] = {ChoiceHowToPlay, ChoiceNewGame, ChoiceHighScores, ChoiceCredits};
constexpr int ExitEntry = std::ssize(EntryChoices);
constexpr int TitleX = 400, TitleY = 80;

}  // namespace

void TMenuModule::Load() {
  TModule::Load();
  BackgroundSprite = LoadSprite(SpriteFile::Background);
  HandSprite = LoadSprite(SpriteFile::Hand);
  TitleSprite = LoadSprite(SpriteFile::Title);
  HowToPlaySprite = LoadSprite(SpriteFile::HowToPlay);
  NewGameSprite = LoadSprite(SpriteFile::NewGame);
  HighScoresSprite = LoadSprite(SpriteFile::HighScores);
  CreditsSprite = LoadSprite(SpriteFile::Credits);
  ExitSprite = LoadSprite(SpriteFile::Exit);
  PopSound = LoadSound(SoundFile::Pop);
  MusicSound = LoadSound(SoundFile::Music);
  PlaySound(ChannelMusic, MusicSound, -1);
}

void TMenuModule::MouseButton(bool pressed, int /*x*/, int /*y*/) {
  if (!pressed) return;
  if (MouseX < ColumnLeft || MouseX >= ColumnRight || MouseY < ColumnTop || MouseY >= ColumnBottom) return;
  PlaySound(ChannelEffects, PopSound, 0);
  const int entry = (MouseY - ColumnTop) / EntryPitch;
  if (entry == ExitEntry) {
    Game.RequestQuit(0);
    return;
  }
  Game.ModuleChoice(this, EntryChoices[entry]);
  return;
}

void TMenuModule::Draw() {
  DrawSprite(BackgroundSprite, 0, 0);
  DrawSpriteCentred(TitleSprite, TitleX, TitleY);
  const SurfacePtr* entries[] = {&HowToPlaySprite, &NewGameSprite, &HighScoresSprite, &CreditsSprite, &ExitSprite};
  for (int i = 0; i < 5; ++i) DrawSpriteCentred(*entries[i], EntryCentreX, FirstEntryCentreY + EntryPitch * i);
  DrawSprite(HandSprite, MouseX, MouseY);
}
