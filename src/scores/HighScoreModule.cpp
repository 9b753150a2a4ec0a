#include "scores/HighScoreModule.h"

#include "AssetFiles.h"
#include "media/LibGraphics.h"
#include "media/LibSound.h"

namespace {

constexpr int32_t EnteringDelay = 150;

constexpr int MessageX = 300, MessageY = 160;

// The keyboard: 13 letters a row at a pitch of 15 by 20, then "backspace" on key row 2 and
// "enter" on key row 4, each five columns wide, then the typed name.
constexpr int KeysX = 300, KeysY = 160;
constexpr int KeyPitchX = 15, KeyPitchY = 20;
constexpr int LettersPerRow = 13, LetterRows = 2;
constexpr int WordKeyColumns = 5;
constexpr int BackspaceRow = 2, EnterRow = 4;
constexpr int TypedNameY = 280;

constexpr int TitleX = 250, TitleY = 100;
constexpr int NameX = 250, ScoreX = 500;
constexpr int FirstRowY = 160, RowPitch = 20;
// The line telling that the name was not saved: centred under the table in the background's panel
// (x 176 to 634), cut to fit in it.
constexpr int NotSavedCentreX = 405, NotSavedY = 370, NotSavedGlyphs = 44;

// The key cell of a press along one axis. Division truncates toward zero, so cell 0 reaches a
// pitch minus one pixel before the origin: a press at x 286 or y 141 still hits the first key.
int KeyCell(int position, int origin, int pitch) { return static_cast<int>((int64_t{position} - origin) / pitch); }

void Write(const SurfacePtr& font, int x, int y, std::string_view text) { DrawText(font, FontGlyphWidth, x, y, text); }

}  // namespace

THighScoreModule::THighScoreModule(TGame& game, bool entering, uint32_t score)
    : TModule(game), Entering(entering), Score(score), Delay(entering ? EnteringDelay : 0) {}

void THighScoreModule::Load() {
  Sprites.Load();
  PopSound = LoadSound(SoundFile::Pop);
  HitSound = LoadSound(SoundFile::Hit);
  Table = std::make_unique<THighScores>();
  Table->LoadFromFile();
  Qualified = Entering && Table->Qualifies(Score);
  if (Entering) PlaySound(ChannelEffects, HitSound, 0);
  TypedName.clear();
}

void THighScoreModule::Update() {
  if (Delay > 0) --Delay;
}

void THighScoreModule::MouseButton(const TButton& button) {
  if (!button.Down) return;
  if (!Entering) {
    Game.ModuleFinished(this);
    return;
  }
  if (TakesLetters()) PressKey(button.X, button.Y);
}

void THighScoreModule::KeyDown(TKey key) {
  if (!Entering) {
    Game.ModuleFinished(this);
    return;
  }
  if (!TakesLetters()) return;
  if (key.Name == TKeyName::Letter) TypeLetter(key.Letter);
  if (key.Name == TKeyName::Backspace) EraseLetter();
  if (key.Name == TKeyName::Enter) EnterName();
}

bool THighScoreModule::TakesLetters() const { return Entering && Delay == 0 && Qualified; }

// Letter, backspace and enter are three separate tests on the same cell.
void THighScoreModule::PressKey(int x, int y) {
  const int column = KeyCell(x, KeysX, KeyPitchX);
  const int row = KeyCell(y, KeysY, KeyPitchY);
  if (column >= 0 && column < LettersPerRow && row >= 0 && row < LetterRows) {
    TypeLetter(static_cast<char>('a' + LettersPerRow * row + column));
  }
  const bool onWordKey = column >= 0 && column < WordKeyColumns;
  if (onWordKey && row == BackspaceRow) EraseLetter();
  if (onWordKey && row == EnterRow) EnterName();
}

// Typing stops where the table's names end, so the name shown is the name kept.
void THighScoreModule::TypeLetter(char letter) {
  if (TypedName.size() >= NameCapacity) return;
  TypedName += letter;
  PlaySound(ChannelEffects, PopSound, 0);
}

void THighScoreModule::EraseLetter() {
  if (TypedName.empty()) return;
  TypedName.pop_back();
  PlaySound(ChannelEffects, PopSound, 0);
}

void THighScoreModule::EnterName() {
  PlaySound(ChannelEffects, PopSound, 0);
  if (const std::string failure = Table->SaveEntry(TypedName, Score); !failure.empty()) {
    NotSaved = ("name not saved, " + failure).substr(0, NotSavedGlyphs);
  }
  Entering = false;
}

void THighScoreModule::Draw() {
  DrawSprite(Sprites.Background, 0, 0);
  if (!Entering) {
    DrawTable();
  } else if (Delay > 0) {
    Write(Sprites.Font, MessageX, MessageY, Qualified ? "new high score!" : "game over");
  } else if (Qualified) {
    DrawKeyboard();
  } else {
    Entering = false;
  }
  DrawHand(Sprites.Hand);
}

void THighScoreModule::DrawKeyboard() const {
  for (int k = 0; k < LettersPerRow * LetterRows; ++k) {
    const char letter = static_cast<char>('a' + k);
    Write(Sprites.Font, KeysX + KeyPitchX * (k % LettersPerRow), KeysY + KeyPitchY * (k / LettersPerRow), {&letter, 1});
  }
  Write(Sprites.Font, KeysX, KeysY + KeyPitchY * BackspaceRow, "backspace");
  Write(Sprites.Font, KeysX, KeysY + KeyPitchY * EnterRow, "enter");
  Write(Sprites.Font, KeysX, TypedNameY, TypedName);
}

void THighScoreModule::DrawTable() const {
  Write(Sprites.Font, TitleX, TitleY, "High Scores");
  for (int i = 0; i < HighScoreCount; ++i) {
    const THighScoreEntry& entry = Table->GetEntries()[i];
    Write(Sprites.Font, NameX, FirstRowY + RowPitch * i, entry.NameText());
    Write(Sprites.Font, ScoreX, FirstRowY + RowPitch * i, std::to_string(entry.Score));
  }
  const int notSavedWidth = FontGlyphWidth * static_cast<int>(NotSaved.size());
  Write(Sprites.Font, NotSavedCentreX - notSavedWidth / 2, NotSavedY, NotSaved);
  DrawSprite(Sprites.Back, BackX, BackY);
}
