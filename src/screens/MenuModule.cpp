#include "screens/MenuModule.h"

#include "AssetFiles.h"
#include "media/LibGraphics.h"
#include "media/LibSound.h"
#include "screens/MenuLayout.h"

#include <algorithm>
#include <iterator>

namespace {

// A press picks the entry in whose 200-pixel wide band it falls.
constexpr int ColumnLeft = EntryCentreX - 100, ColumnRight = EntryCentreX + 100;
constexpr int ColumnTop = FirstEntryCentreY - EntryPitch / 2, ColumnBottom = ColumnTop + 5 * EntryPitch;
// The entries' choices from the top; the entry below them, Exit, asks to quit.
constexpr TMenuChoice EntryChoices[] = {ChoiceHowToPlay, ChoiceNewGame, ChoiceHighScores, ChoiceCredits};
constexpr int ExitEntry = std::ssize(EntryChoices);
// Where the keys put the hand on an entry: beside its word, as a player's pointer would be.
constexpr int KeyHandX = EntryCentreX + 70;

bool InColumn(int x, int y) { return x >= ColumnLeft && x < ColumnRight && y >= ColumnTop && y < ColumnBottom; }
int EntryAt(int y) { return (y - ColumnTop) / EntryPitch; }

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

void TMenuModule::MouseButton(const TButton& button) {
  if (!button.Down) return;
  if (!InColumn(MouseX, MouseY)) return;
  PlaySound(ChannelEffects, PopSound, 0);
  const int entry = EntryAt(MouseY);
  if (entry == ExitEntry) {
    Game.RequestQuit(0);
    return;
  }
  Game.ModuleChoice(this, EntryChoices[entry]);
  return;
}

void TMenuModule::KeyDown(TKey key) {
  if (key.Name == TKeyName::Enter) {
    MouseButton({.Down = true, .X = MouseX, .Y = MouseY});
    return;
  }
  const int step = key.Name == TKeyName::Down ? 1 : key.Name == TKeyName::Up ? -1 : 0;
  if (step == 0) return;
  // From no entry, either key goes to the first.
  const int entry = InColumn(MouseX, MouseY) ? std::clamp(EntryAt(MouseY) + step, 0, ExitEntry) : 0;
  MouseX = KeyHandX;
  MouseY = FirstEntryCentreY + EntryPitch * entry;
}

void TMenuModule::Draw() {
  DrawSprite(BackgroundSprite, 0, 0);
  DrawSpriteCentred(TitleSprite, MenuTitleX, MenuTitleY);
  const SurfacePtr* entries[] = {&HowToPlaySprite, &NewGameSprite, &HighScoresSprite, &CreditsSprite, &ExitSprite};
  for (int i = 0; i < 5; ++i) DrawSpriteCentred(*entries[i], EntryCentreX, FirstEntryCentreY + EntryPitch * i);
  DrawHand(HandSprite);
}
