// Faults from outside the game: no audio device, no video, damaged assets, a directory the game
// may not write to. The whole program runs in this process.

#include "game/GameModule.h"
#include "media/LibGraphics.h"
#include "media/LibSound.h"
#include "scores/LibHighScores.h"
#include "screens/MenuModule.h"
#include "shell/BoglingsAndSkitters.h"
#include "support/Headless.h"

#include <sys/stat.h>
#include <unistd.h>

#include <regex>

namespace {

constexpr uid_t Nobody = 65534;

// Opens the window and the mixer and plays one game from the menu: one line, the quit button,
// "enter" on the keyboard when the score earns a place, and back. True when it ends on the menu.
bool PlayAGame() {
  InitGraphics(ScreenWidth, ScreenHeight, "Game");
  InitSound();
  THalloween controller;
  controller.Start();
  Click(controller, 0, 0);
  Click(controller, 400, 225);
  Frames(controller, 40);
  const auto* game = dynamic_cast<const TGameModule*>(controller.GetCurrentModule());
  if (const auto line = game ? FindLine(game->GetBoard()) : std::nullopt) Drag(controller, *line);
  for (const TPoint press : {TPoint{31, 31}, {300, 240}, {10, 10}}) {
    Frames(controller, 151);
    Click(controller, press.X, press.Y);
  }
  return dynamic_cast<TMenuModule*>(controller.GetCurrentModule()) != nullptr;
}

}  // namespace

TEST(OutsideFaultsTest, WithoutAnAudioDeviceAWholeGameRunsSilently) {
  ScratchDir scratch;
  WriteFixtureAssets();
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  EXPECT_TRUE(PlayAGame());
  EXPECT_FALSE(SoundIsOpen());
  ShutdownSound();
  SDL_Quit();
  setenv("SDL_AUDIODRIVER", "dummy", 1);
}

TEST(OutsideFaultsTest, FatalFaultsEndWithTheReportAndExitCodeOne) {
  // What to break, and the report's message line.
  const std::pair<std::function<void()>, std::string> rows[] = {
      {[] { setenv("SDL_VIDEODRIVER", "no-such-driver", 1); }, "Cannot start video: .+\\."},
      {[] { std::filesystem::remove_all("sprites"); }, "sprites/makerlogo\\.dat: File not found\\."},
      {[] { WriteBytes("sprites/title.dat", Bytes(30, 0)); }, "Cannot load picture sprites/title\\.dat: .+"},
      {[] { WriteBytes("sounds/ghost.dat", Bytes(30, 0)); }, "Cannot load sound sounds/ghost\\.dat: .+"},
  };
  for (const auto& [breakIt, message] : rows) {
    ScratchDir scratch;
    WriteFixtureAssets();
    breakIt();
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunProgram(), 1) << message;
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(std::regex_match(report, std::regex("Exception E(InOut|Media)Error in module unit_tests at [0-9A-F]{8}\\.\n" + message + "\n")))
        << report;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
  }
}

// As root the game plays as nobody, for whom the directory is read-only as well.
TEST(OutsideFaultsTest, AReadOnlyDirectoryLosesNoScoreAndSaysWhy) {
  ScratchDir scratch;
  WriteFixtureAssets();
  const Bytes zeros(HighScoreFileBytes, 0);  // every score beats it
  WriteBytes(HighScoreFileName, zeros);
  chmod(HighScoreFileName, 0444);
  chmod(scratch.Path().c_str(), 0555);
  EXPECT_EXIT(
      {
        if (geteuid() == 0 && (setgid(Nobody) != 0 || setuid(Nobody) != 0)) std::_Exit(2);
        const bool played = PlayAGame();
        std::_Exit(played && ReadBytes(HighScoreFileName) == zeros ? 0 : 1);
      },
      testing::ExitedWithCode(0), "^highscores.bin: the high scores were not saved: Permission denied\n$");
}
