#include "screens/MenuModule.h"

#include "AssetFiles.h"
#include "media/LibGraphics.h"
#include "media/LibSound.h"
#include "screens/MenuLayout.h"

#include <iterator>

namespace {

// A press picks the entry in whose 200-pixel wide band it falls.
constexpr int ColumnLeft = EntryCentreX - 100, ColumnRight = EntryCentreX + 100;
constexpr int ColumnTop = FirstEntryCentreY - EntryPitch / 2, ColumnBottom = ColumnTop + 5 * EntryPitch;
// The entries' choices from the top; the entry below them, Exit, asks to quit.
constexpr TMenuChoice EntryChoices[] = {ChoiceHowToPlay, ChoiceNewGame, ChoiceHighScores, ChoiceCredits};
constexpr int ExitEntry = std::ssize(EntryChoices);

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
  DrawSpriteCentred(TitleSprite, MenuTitleX, MenuTitleY);
  const SurfacePtr* entries[] = {&HowToPlaySprite, &NewGameSprite, &HighScoresSprite, &CreditsSprite, &ExitSprite};
  for (int i = 0; i < 5; ++i) DrawSpriteCentred(*entries[i], EntryCentreX, FirstEntryCentreY + EntryPitch * i);
  DrawSprite(HandSprite, MouseX, MouseY);
}
