#pragma once
// A static page of text over the background with the back picture and the hand pointer; the
// first press anywhere ends it. The help and credits pages differ only in their lines.

#include "media/MediaHandles.h"
#include "shell/LibGame.h"

#include <cstdint>
#include <span>

struct TPageLine {
  int X;
  int Y;
  const char* Text;
};

class TPageModule : public TModule {
 public:
  // lines must outlive the page (they are the pages' constant tables).
  TPageModule(TGame& game, std::span<const TPageLine> lines) : TModule(game), Lines(lines) {}
  void Load() override;
  void MouseButton(bool pressed, int x, int y) override;
  void MouseMove(int x, int y) override;
  void Draw() override;

 private:
  std::span<const TPageLine> Lines;
  int32_t MouseX = 0;
  int32_t MouseY = 0;
  SurfacePtr BackgroundSprite;
  SurfacePtr HandSprite;
  SurfacePtr FontSprite;
  SurfacePtr BackSprite;
};

// Where the back picture's top-left corner stands on the pages and the high-score table.
constexpr int BackX = 540;
constexpr int BackY = 400;
