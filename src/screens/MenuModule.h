#pragma once
// The hub: title, five entries and the hand pointer. Loaded once in the program's life, when it
// starts the music that then plays across every screen.

#include "media/MediaHandles.h"
#include "shell/LibGame.h"

#include <cstdint>

class TMenuModule : public TModule {
 public:
  using TModule::TModule;
  void Load() override;
  // Judged by the last pointer motion, not by the event's own position.
  void MouseButton(bool pressed, int x, int y) override;
  void MouseMove(int x, int y) override;
  void Draw() override;

 private:
  int32_t MouseX = 0;
  int32_t MouseY = 0;
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
