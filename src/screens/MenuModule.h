#pragma once
// The hub: title, five entries and the hand pointer. Loaded once in the program's life, when it
// starts the music that then plays across every screen.

#include "media/MediaHandles.h"
#include "shell/LibGame.h"

// What the menu reports with ModuleChoice for its first four entries, top to bottom; the fifth,
// Exit, asks to quit instead.
enum TMenuChoice { ChoiceHowToPlay = 1, ChoiceNewGame, ChoiceHighScores, ChoiceCredits };

class TMenuModule : public TModule {
 public:
  using TModule::TModule;
  void Load() override;
  // Judged by the last pointer motion, not by the event's own position.
  void MouseButton(const TButton& button) override;
  // Up and Down move the hand from entry to entry, stopping at the first and the last; Enter is a
  // press where the hand is.
  void KeyDown(TKey key) override;
  void Draw() override;

 private:
  SurfacePtr BackgroundSprite;
  SurfacePtr HandSprite;
  SurfacePtr TitleSprite;
  SurfacePtr HowToPlaySprite;
  SurfacePtr NewGameSprite;
  SurfacePtr HighScoresSprite;
  SurfacePtr CreditsSprite;
  SurfacePtr ExitSprite;
  SoundPtr PopSound;
  SoundPtr MusicSound;
};
