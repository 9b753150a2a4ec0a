#pragma once
// The pictures of the screens that show text on the background, the help and credits pages and
// the high-score screen, and where their back sign stands.

#include "media/MediaHandles.h"

// The back sign's top-left corner.
constexpr int BackX = 540;
constexpr int BackY = 400;

struct TPageSprites {
  // Loads all four; throws as LoadSprite does.
  void Load();

  SurfacePtr Background;
  SurfacePtr Hand;
  SurfacePtr Font;
  SurfacePtr Back;
};
