#pragma once
// The stage of every journey: a fresh working directory holding copies of the generated
// sprites/ and sounds/, an X server of its own, the real game program started on it, and a bot
// that drives it through the server and reads the window. Screenshots of every awaited picture
// go to shots/<journey>/ in the build tree.

#include "e2e/ChildProcess.h"
#include "e2e/PlayerBot.h"
#include "e2e/ScreenReader.h"
#include "e2e/VirtualDisplay.h"
#include "support/Headless.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// What the head-up display of a game shows.
struct HudValues {
  uint32_t Lives, Score, Tiles, Hints;
  bool operator==(const HudValues&) const = default;
};

enum MenuEntry { EntryHowToPlay, EntryNewGame, EntryHighScores, EntryCredits, EntryExit };

// A place for the pointer over no entry, text or button of the menu, the pages and the high-score
// screen. A press there leaves a page.
constexpr Point Aside{600, 300};
// A place for the pointer in a game over no tile, number or button.
constexpr Point OffBoard{100, 200};

class JourneyTest : public ::testing::Test {
 protected:
  void SetUp() override;

  // Starts the game in the working directory (Scratch) on our server.
  void Launch();
  // Waits for the game's window to show; fails when the game ends first.
  ::testing::AssertionResult AwaitWindow();
  // Grabs the window until shows accepts what it shows; the accepted picture is saved under label,
  // as is the last one when the deadline passes or the game ends first.
  ::testing::AssertionResult Await(const std::string& label, const std::function<bool(const Image&)>& shows);
  // All the game wrote to its standard error so far.
  std::string ErrorOutput() const;
  // Waits for the fatal failure report on standard error, then closes the box that shows it in
  // the window with Enter, as a player would; the report's text, or empty when none came.
  std::string AwaitFatalReport();

  // Shared steps of the journeys.
  ::testing::AssertionResult AwaitIntro();  // the window and the maker's logo
  ::testing::AssertionResult PassIntro();   // the intro, then a press and the menu
  void PressEntry(MenuEntry entry);
  ::testing::AssertionResult StartGame();  // from the menu: new game, pointer off the board, board at rest
  // Holds a key down and moves the pointer to at, and waits until the hand shows there: a frame
  // that came after the key went down. The game reads the key state when it handles a press, and
  // SDL takes all waiting events at once, so a key let go right after a press is never seen down.
  ::testing::AssertionResult HoldKeyAndMove(unsigned long keysym, const std::string& label, Point at);

  bool ShowsMenu(const Image& shot, Point hand);
  std::optional<HudValues> ReadHud(const Image& shot);
  // Waits until two grabs in a row show the same board with a whole tile in every cell, and keeps
  // it in Board.
  ::testing::AssertionResult AwaitBoardAtRest(const std::string& label);

  std::filesystem::path Shots;
  std::unique_ptr<ScratchDir> Scratch;
  std::unique_ptr<VirtualDisplay> X;
  std::unique_ptr<ChildProcess> Game;
  std::unique_ptr<PlayerBot> Bot;
  std::unique_ptr<ScreenReader> Reader;
  BoardKinds Board{};

 private:
  void Save(const std::string& label, const Image& shot);
  std::string GameEnded();

  int ShotCount = 0;
};
