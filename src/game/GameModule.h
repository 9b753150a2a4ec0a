#pragma once
// The puzzle screen: drags pick straight chains of equal tiles, a release of three or more scores
// the square of its length, levels ask for a number of cleared tiles within a time limit, a
// time-out costs one of three lives, and the wand shows a limited number of hints. The keys play it
// too: the arrows move a cursor over the board, diagonally with the keypad's 7, 9, 1 and 3 or with
// two arrows held together, Space or Enter held picks as the held button does, H is the wand. P,
// Escape or Pause, or a hidden window, pause the game behind a panel until any key or press resumes
// it; Q in the pause ends the game as the quit button does.
//
// The game ends, when the lives run out or the quit button is pressed, with the report
// ModuleChoice(this, GameOverChoice); the controller then frees the module, so nothing of it is
// touched after that report. Everything Load acquires (sprites, sounds, board and tiles) is
// released when the module is freed.

#include "game/LibBoard.h"
#include "game/LibParticles.h"
#include "media/MediaHandles.h"
#include "shell/LibGame.h"

#include <array>
#include <cstdint>
#include <optional>

constexpr int KindLimit = 6;
constexpr int GameOverChoice = 1;  // the only code the module reports

class TGameModule : public TModule {
 public:
  using TModule::TModule;
  // Loads the pictures and sounds, fills the board and starts level 0. Throws when an asset is
  // missing or damaged.
  void Load() override;
  void Update() override;
  // Works from the last pointer position, not from the event's own; with the left Ctrl held a press
  // skips to the next level, with the left Shift it leaves one life.
  void MouseButton(const TButton& button) override;
  void KeyDown(TKey key) override;
  void KeyUp(TKey key) override;
  // A board the player cannot see must cost no life: pauses.
  void WindowHidden() override;
  void Draw() override;

  // The points of this game, handed to the high-score screen when it ends.
  int32_t GetScore() const { return Score; }
  // The board as it stands, for players that look before they drag (tests, benchmarks).
  const TBoard& GetBoard() const { return Board; }

 private:
  friend class TGameModuleAccess;  // tests and benchmarks check and set the state directly

  // Advances the level (10 is the last and repeats) and applies its kinds, tiles, time and hints.
  void LevelUp();
  // Adds the tile at board point (x, y) to the chain when the chain rule allows it.
  void PickAt(int x, int y);
  void PickUnderPointer();
  void PickUnderCursor();
  // Where the cursor was before a lone arrow's step, and whether the step added a tile to the chain.
  struct TLoneStep {
    int Column;
    int Row;
    bool Picked;
  };
  void PressArrow(int columns, int rows, const std::optional<TLoneStep>& lone);
  void MoveCursor(int columns, int rows);
  // The button's or the key's release: a chain of three or more scores; the chain ends either way.
  void EndChain();
  void ScoreChain(int length);
  // Stops the clock, the falling tiles, the sparks and the hint, and drops a chain in progress.
  void Pause();
  void DrawBoard();
  void ShowHint();

  // Extends the chain while the button is held.
  void PointerMoved() override;

  bool ButtonDown = false;
  bool ChainKeyDown = false;  // Space or Enter held
  bool Paused = false;
  bool CursorShown = false;  // from the first key that uses it on
  int CursorColumn = BoardSize / 2, CursorRow = BoardSize / 2;
  int HeldColumns = 0, HeldRows = 0;  // the step of the arrow held on each axis, or 0
  // The step of an arrow still held when nothing else came after it: the next arrow of the other
  // axis turns it into a diagonal.
  std::optional<TLoneStep> LoneStep;
  SurfacePtr PausedSprite;
  SurfacePtr HandSprite;
  SurfacePtr BackgroundSprite;
  std::array<SurfacePtr, KindLimit> TileSprites;  // indexed by kind
  SurfacePtr WandSprite;
  SurfacePtr TilesSprite;
  SurfacePtr ScoreSprite;
  SurfacePtr LivesSprite;
  SurfacePtr NumbersSprite;
  SurfacePtr StarSprite;
  SurfacePtr QuitSprite;
  TBoard Board;
  int32_t HintTicks = 0;
  const TTile* HintTile = nullptr;  // owned by the board; cleared when the board removes it
  int32_t Lives = 0;
  int32_t Timer = 0;
  int32_t Level = 0;
  int32_t TilesToClear = 0;
  int32_t TimeLimit = 0;
  int32_t HintsLeft = 0;
  TParticles Particles;
  SoundPtr PopSound;
  SoundPtr ScoreSound;
  SoundPtr SqueakSound;
  SoundPtr HitSound;
  int32_t Score = 0;
};
