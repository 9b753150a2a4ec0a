#pragma once
// The high-score screen. From the menu it shows the table at once. After a game it shows
// "new high score!" or "game over" for a while, then, for a score that earns a place, an on-screen
// keyboard to type a name (or the real keyboard's letters, Backspace and Enter), which "enter" puts
// into the table as the file holds it then (another copy of the game may have saved meanwhile) and
// saves; then that table, with a line under it when the name could not be saved. Any press on it
// returns to the menu.

#include "media/MediaHandles.h"
#include "media/PageSprites.h"
#include "scores/LibHighScores.h"
#include "shell/LibGame.h"

#include <cstdint>
#include <memory>
#include <string>

class THighScoreModule : public TModule {
 public:
  // entering: the screen follows a finished game whose score is offered to the table.
  THighScoreModule(TGame& game, bool entering, uint32_t score);

  // Loads the pictures, sounds and the table from highscores.bin (whose failures propagate), and,
  // when entering, plays the hit sound. Leaves Loaded false: the screen is loaded once per visit.
  void Load() override;
  void Update() override;
  // Judged by the event's own position, not the last motion.
  void MouseButton(const TButton& button) override;
  // The keys of the on-screen keyboard do what its keys do; on the table any key returns as a press.
  void KeyDown(TKey key) override;
  bool TakesLetters() const override;
  // The view follows from Entering, Delay and Qualified; a score that earns no place ends the
  // entering views here, in a frame that shows only the background and the pointer.
  void Draw() override;

 private:
  void PressKey(int x, int y);
  void TypeLetter(char letter);
  void EraseLetter();
  void EnterName();
  void DrawKeyboard() const;
  void DrawTable() const;

  TPageSprites Sprites;
  std::unique_ptr<THighScores> Table;
  bool Entering;
  uint32_t Score;
  int32_t Delay;  // ticks left of the "new high score!" or "game over" view
  bool Qualified = false;
  std::string TypedName;  // at most the table's NameCapacity letters
  std::string NotSaved;   // the line saying that the name was not saved, and why; empty unless so
  SoundPtr PopSound;
  SoundPtr HitSound;
};
