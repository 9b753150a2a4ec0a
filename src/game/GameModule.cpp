#include "game/GameModule.h"

#include "AssetFiles.h"
#include "game/GameDrawing.h"
#include "game/GameLayout.h"
#include "media/LibGraphics.h"
#include "media/LibSound.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>

namespace {

constexpr int32_t StartingLives = 3;
constexpr int32_t LastLevel = 10;
constexpr int32_t HintDuration = 100;  // ticks the hinted tile stays highlighted
constexpr int MinimumChain = 3;

struct TTilePicture {
  const char* File;
  int Kind;
};
// In load order.
constexpr TTilePicture TilePictures[] = {
    {SpriteFile::Pumpkin, 0}, {SpriteFile::Bat, 4},   {SpriteFile::WitchesHat, 3},
    {SpriteFile::Cat, 5},     {SpriteFile::Ghost, 1}, {SpriteFile::Spider, 2},
};

// The cursor's step for each arrow, the diagonals among them.
struct TArrow {
  TKeyName Name;
  int Columns;
  int Rows;
};
constexpr TArrow Arrows[] = {{TKeyName::Up, 0, -1},       {TKeyName::Down, 0, 1},     {TKeyName::Left, -1, 0},
                             {TKeyName::Right, 1, 0},     {TKeyName::UpLeft, -1, -1}, {TKeyName::UpRight, 1, -1},
                             {TKeyName::DownLeft, -1, 1}, {TKeyName::DownRight, 1, 1}};

const TArrow* ArrowOf(TKeyName name) {
  // Emscripten 3.1.6's library has no std::ranges::find.
  const TArrow* arrow =
      std::find_if(std::begin(Arrows), std::end(Arrows), [name](const TArrow& a) { return a.Name == name; });
  return arrow == std::end(Arrows) ? nullptr : arrow;
}

}  // namespace

void TGameModule::Load() {
  BackgroundSprite = LoadSprite(SpriteFile::Background);
  HandSprite = LoadSprite(SpriteFile::Hand);
  for (const TTilePicture& picture : TilePictures) TileSprites[picture.Kind] = LoadSprite(picture.File);
  WandSprite = LoadSprite(SpriteFile::Wand);
  TilesSprite = LoadSprite(SpriteFile::Tiles);
  ScoreSprite = LoadSprite(SpriteFile::Score);
  LivesSprite = LoadSprite(SpriteFile::Lives);
  NumbersSprite = LoadSprite(SpriteFile::Numbers);
  StarSprite = LoadSprite(SpriteFile::Star);
  QuitSprite = LoadSprite(SpriteFile::Quit);
  PausedSprite = LoadSprite(SpriteFile::Paused);
  ScoreSound = LoadSound(SoundFile::Score);
  PopSound = LoadSound(SoundFile::Pop);
  SqueakSound = LoadSound(SoundFile::Squeak);
  HitSound = LoadSound(SoundFile::Hit);

  Board.Populate();
  Lives = StartingLives;
  Score = 0;
  Level = -1;
  LevelUp();
  Timer = TimeLimit;
  Particles.Clear();
}

void TGameModule::LevelUp() {
  if (Level < LastLevel) ++Level;
  Board.KindCount = Level / 5 + 4;
  TilesToClear = (Level / 2) * 10 + 100;
  TimeLimit = (250 - 10 * Level) * 4;
  HintsLeft = 4 - Level / 3;
  Board.RandomiseKinds();
  PlaySound(ChannelGame, SqueakSound, 0);
}

void TGameModule::Update() {
  if (Paused) return;
  Board.Animate();
  if (HintTicks > 0) --HintTicks;
  // The time-out comes one tick after the timer reached 0.
  if (Timer == 0) {
    if (Lives > 0) {
      PlaySound(ChannelGame, HitSound, 0);
      --Lives;
      Timer = TimeLimit;
      Board.RandomiseKinds();
    }
    if (Lives == 0) {
      Game.ModuleChoice(this, GameOverChoice);
      return;
    }
  }
  if (Timer > 0) --Timer;
  Particles.Update();
}

void TGameModule::PointerMoved() {
  if (ButtonDown) PickUnderPointer();
}

void TGameModule::MouseButton(const TButton& button) {
  LoneStep.reset();
  if (Paused) {
    if (button.Down) Paused = false;  // the press only resumes
    return;
  }
  ButtonDown = button.Down;
  if (!button.Down) {
    EndChain();
    return;
  }
  PickUnderPointer();
  if (HintButton.Contains(MouseX, MouseY)) ShowHint();
  if (QuitButton.Contains(MouseX, MouseY)) {
    Game.ModuleChoice(this, GameOverChoice);
    return;
  }
  // The two keys only count together with a press.
  if (button.Ctrl) LevelUp();
  if (button.Shift) Lives = 1;
}

void TGameModule::KeyDown(TKey key) {
  if (Paused) {
    if (key.Is('q')) {
      Game.ModuleChoice(this, GameOverChoice);
      return;
    }
    Paused = false;
    return;
  }
  const std::optional<TLoneStep> lone = std::exchange(LoneStep, std::nullopt);
  if (const TArrow* arrow = ArrowOf(key.Name)) {
    PressArrow(arrow->Columns, arrow->Rows, lone);
    return;
  }
  switch (key.Name) {
    case TKeyName::Space:
    case TKeyName::Enter:
      ChainKeyDown = CursorShown = true;
      PickUnderCursor();
      break;
    case TKeyName::Escape:
    case TKeyName::Pause: Pause(); break;
    default:
      if (key.Is('p')) Pause();
      if (key.Is('h')) ShowHint();
      break;
  }
}

void TGameModule::KeyUp(TKey key) {
  if (const TArrow* arrow = ArrowOf(key.Name)) {
    LoneStep.reset();
    if (arrow->Rows == 0 && HeldColumns == arrow->Columns) HeldColumns = 0;
    if (arrow->Columns == 0 && HeldRows == arrow->Rows) HeldRows = 0;
  }
  if ((key.Name == TKeyName::Space || key.Name == TKeyName::Enter) && ChainKeyDown) {
    ChainKeyDown = false;
    EndChain();
  }
}

void TGameModule::WindowHidden() { Pause(); }

void TGameModule::Pause() {
  Paused = true;
  ButtonDown = ChainKeyDown = false;
  LoneStep.reset();
  Board.ClearSelection();
}

// An arrow pressed while one of the other axis is held steps diagonally. Pressed right after the
// held one's own step, the two make one diagonal step from where that step began: otherwise the
// tile beside the line would join the chain and fix it straight.
void TGameModule::PressArrow(int columns, int rows, const std::optional<TLoneStep>& lone) {
  if (columns != 0 && rows != 0) {
    MoveCursor(columns, rows);
    return;
  }
  const bool vertical = columns == 0;
  (vertical ? HeldRows : HeldColumns) = vertical ? rows : columns;
  if (const int across = vertical ? HeldColumns : HeldRows; across != 0) {
    if (lone) {
      CursorColumn = lone->Column;
      CursorRow = lone->Row;
      if (lone->Picked) Board.DeselectLast();
    }
    MoveCursor(vertical ? across : columns, vertical ? rows : across);
    return;
  }
  const int chain = Board.SelectionCount();
  LoneStep = TLoneStep{CursorColumn, CursorRow, false};
  MoveCursor(columns, rows);
  LoneStep->Picked = Board.SelectionCount() > chain;
}

// A step off the board stays put, so that a diagonal never turns straight at the edge.
void TGameModule::MoveCursor(int columns, int rows) {
  if (IsCell(CursorColumn + columns, CursorRow + rows)) {
    CursorColumn += columns;
    CursorRow += rows;
  }
  CursorShown = true;
  if (ChainKeyDown) PickUnderCursor();
}

void TGameModule::PickUnderPointer() { PickAt(MouseX - BoardOriginX, MouseY - BoardOriginY); }

void TGameModule::PickUnderCursor() {
  PickAt(CursorColumn * static_cast<int>(CellPitch), CursorRow * static_cast<int>(CellPitch));
}

void TGameModule::PickAt(int x, int y) {
  TTile* tile = Board.TileAt(x, y);
  if (!tile || !Board.CanSelect(tile) || Board.IsSelected(tile)) return;
  PlaySound(ChannelEffects, PopSound, 0);
  Board.AddToSelection(tile);
}

void TGameModule::EndChain() {
  LoneStep.reset();
  const int length = Board.SelectionCount();
  if (length >= MinimumChain) ScoreChain(length);
  Board.ClearSelection();
}

void TGameModule::ScoreChain(int length) {
  for (int slot = 0; slot < length; ++slot) {
    const TTile& tile = *Board.Selected(slot);
    Particles.SpawnBurst(tile.X, tile.Y);
  }
  PlaySound(ChannelEffects, ScoreSound, 0);
  TilesToClear -= length;
  Score += length * length;
  // Tiles cleared beyond the level's count are not carried over.
  if (TilesToClear <= 0) {
    TilesToClear = 0;
    LevelUp();
  }
  if (Board.IsSelected(HintTile)) HintTile = nullptr;
  Board.RemoveSelected();
  Timer = TimeLimit;
}

void TGameModule::ShowHint() {
  if (HintsLeft <= 0) return;
  // On a board with no marked tile (just re-drawn, or falling after the marked ones went) the
  // press is not counted.
  const TTile* tile = Board.PickHintTile();
  if (!tile) return;
  HintTicks = HintDuration;
  HintTile = tile;
  --HintsLeft;
  PlaySound(ChannelEffects, ScoreSound, 0);
}

void TGameModule::Draw() {
  DrawSprite(BackgroundSprite, 0, 0);
  DrawSprite(QuitSprite, QuitX, QuitY);
  const SurfacePtr* icons[] = {&LivesSprite, &ScoreSprite, &TilesSprite, &WandSprite};
  for (int row = 0; row < std::ssize(icons); ++row) DrawHudIcon(*icons[row], row);
  const int32_t values[] = {Lives, Score, TilesToClear, HintsLeft};
  for (int row = 0; row < std::ssize(values); ++row) DrawHudNumber(NumbersSprite, row, values[row]);
  DrawTimerBar(Timer);
  if (Paused) {
    DrawSprite(PausedSprite, PausedPanelX, PausedPanelY);  // a pause is no time to study the board
  } else {
    DrawBoard();
  }
  DrawHand(HandSprite);
}

void TGameModule::DrawBoard() {
  // Rows top-down, so a falling tile passes under the one below it.
  for (int row = 0; row < BoardSize; ++row) {
    for (int column = 0; column < BoardSize; ++column) {
      const TTile& tile = *Board.Cell(column, row);
      DrawTile(tile, TileSprites[tile.Kind], HintTicks > 0 && &tile == HintTile, Board.IsSelected(&tile));
    }
  }
  if (CursorShown) DrawCursor(CursorColumn, CursorRow);
  DrawParticles(Particles, StarSprite);
}
