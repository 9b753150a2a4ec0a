#pragma once
// A static page of text over the background with the back picture and the hand pointer; the
// first press anywhere, or any key, ends it. The help and credits pages differ only in their lines.

#include "media/PageSprites.h"
#include "shell/LibGame.h"

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
  void MouseButton(const TButton& button) override;
  void KeyDown(TKey key) override;
  void Draw() override;

 private:
  std::span<const TPageLine> Lines;
  TPageSprites Sprites;
};
