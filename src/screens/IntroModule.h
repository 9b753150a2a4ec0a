#pragma once
// The opening sequence: maker's logo, "presents", the title and a ghost flying across on a wave.
// Ends by itself after IntroLength ticks or at the first press or key.

#include "media/MediaHandles.h"
#include "shell/LibGame.h"

#include <cstdint>

constexpr int32_t IntroLength = 820;

class TIntroModule : public TModule {
 public:
  using TModule::TModule;
  void Load() override;
  void Update() override;
  void MouseButton(const TButton& button) override;
  void KeyDown(TKey key) override;
  void Draw() override;

 private:
  void DrawGhost();

  int32_t Ticks = 0;
  SurfacePtr LogoSprite;
  SurfacePtr TitleSprite;
  SurfacePtr FontSprite;
  SurfacePtr GhostSprite;
  SoundPtr HitSound;
  SoundPtr GhostSound;
};

// Where the ghost flies at tick T (from 600): two pixels right per tick on a sine wave.
struct IntroPoint {
  int X;
  int Y;
};
IntroPoint GhostPosition(int32_t ticks);
