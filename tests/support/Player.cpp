#include "support/Player.h"

#include "game/GameModule.h"
#include "scores/HighScoreModule.h"
#include "screens/MenuModule.h"
#include "support/Headless.h"

namespace {

constexpr int Directions[4][2] = {{1, 0}, {0, 1}, {1, 1}, {-1, 1}};
constexpr int SettleLimit = 400;
constexpr int NameEntryDelay = 150;

bool Inside(int column, int row) { return column >= 0 && column < BoardSize && row >= 0 && row < BoardSize; }

}  // namespace

TScreenPoint CellCentre(int column, int row) { return {213 + 64 * column, 40 + 64 * row}; }

bool BoardAtRest(const TBoard& board) {
  for (int column = 0; column < BoardSize; ++column) {
    for (int row = 0; row < BoardSize; ++row) {
      const TTile* tile = board.Cell(column, row);
      if (tile == nullptr || tile->Y < tile->TargetY) return false;
    }
  }
  return true;
}

std::optional<std::vector<TScreenPoint>> FindLineOfThree(const std::function<int(int, int)>& kindAt) {
  for (int row = 0; row < BoardSize; ++row) {
    for (int column = 0; column < BoardSize; ++column) {
      for (const auto& step : Directions) {
        std::vector<TScreenPoint> line;
        for (int k = 0; k < 3; ++k) {
          const int c = column + k * step[0];
          const int r = row + k * step[1];
          if (!Inside(c, r) || kindAt(c, r) != kindAt(column, row)) break;
          line.push_back(CellCentre(c, r));
        }
        if (line.size() == 3) return line;
      }
    }
  }
  return std::nullopt;
}

std::optional<std::vector<TScreenPoint>> FindLineOfThree(const TBoard& board) {
  return FindLineOfThree([&](int column, int row) { return int{board.Cell(column, row)->Kind}; });
}

void TPlayer::Frames(int count) {
  for (int i = 0; i < count; ++i) RunFrame(Controller, 0);
}

void TPlayer::Click(int x, int y) {
  PushMotion(x, y);
  PushButton(true, x, y);
  PushButton(false, x, y);
  Frames(1);
}

void TPlayer::Drag(const std::vector<TScreenPoint>& points) {
  PushMotion(points.front().X, points.front().Y);
  PushButton(true, points.front().X, points.front().Y);
  Frames(1);
  for (const TScreenPoint& point : points) {
    PushMotion(point.X, point.Y);
    Frames(1);
  }
  PushButton(false, points.back().X, points.back().Y);
  Frames(1);
}

bool TPlayer::PlayOneGame(int lines) {
  if (!Showing<TMenuModule>()) return false;
  Click(400, 225);
  const auto* game = Showing<TGameModule>();
  if (game == nullptr) return false;
  for (int i = 0; i < lines; ++i) {
    if (!FramesUntil([&] { return BoardAtRest(game->GetBoard()); }, SettleLimit)) return false;
    if (const auto line = FindLineOfThree(game->GetBoard())) Drag(*line);
  }
  Click(31, 31);  // the quit button
  if (Showing<THighScoreModule>() == nullptr) return false;
  Frames(NameEntryDelay + 2);  // a score that earns no place shows the table by now
  Click(300, 160);             // "a" on the keyboard, or the table's press back to the menu
  if (Showing<TMenuModule>() != nullptr) return true;
  Click(300, 240);  // "enter"
  Click(10, 10);    // leaves the table
  return Showing<TMenuModule>() != nullptr;
}
