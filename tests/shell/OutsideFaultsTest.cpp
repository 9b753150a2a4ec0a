// Faults that come from outside the game: a missing audio device, no video, damaged asset files
// and a working directory the game may not write to.

#include "media/LibGraphics.h"
#include "media/LibSound.h"
#include "scores/LibHighScores.h"
#include "screens/MenuModule.h"
#include "support/Headless.h"
#include "support/Player.h"

#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <regex>

namespace {

// Runs the whole program in this process and returns its exit code and what it reported.
std::pair<int, std::string> RunWholeProgram() {
  testing::internal::CaptureStderr();
  const int code = RunProgram();
  return {code, testing::internal::GetCapturedStderr()};
}

// Sets an environment variable for the life of the object.
class ScopedSetting {
 public:
  ScopedSetting(const char* name, const char* value) : Name(name) {
    if (const char* old = std::getenv(name)) Old = old;
    setenv(name, value, 1);
  }
  ~ScopedSetting() {
    if (Old) setenv(Name, Old->c_str(), 1); else unsetenv(Name);
  }

 private:
  const char* Name;
  std::optional<std::string> Old;
};

// Opens the window and the mixer and plays one game from the menu with this many lines.
bool PlayAGame(int lines) {
  InitGraphics(ScreenWidth, ScreenHeight, "Game");
  InitSound();
  THalloween controller;
  controller.Start();
  TPlayer player(controller);
  player.Click(0, 0);
  return player.PlayOneGame(lines);
}

}  // namespace

TEST(OutsideFaultsTest, WithoutAnAudioDeviceAWholeGameRunsSilently) {
  ScratchDir scratch;
  WriteFixtureAssets();
  ScopedSetting noAudio("SDL_AUDIODRIVER", "no-such-driver");
  EXPECT_TRUE(PlayAGame(2));
  EXPECT_FALSE(SoundIsOpen());
  ShutdownSound();
  SDL_Quit();
}

TEST(OutsideFaultsTest, NoVideoEndsWithTheReportAndSdlsReason) {
  ScratchDir scratch;
  WriteFixtureAssets();
  ScopedSetting noVideo("SDL_VIDEODRIVER", "no-such-driver");
  const auto [code, report] = RunWholeProgram();
  EXPECT_EQ(code, 1);
  EXPECT_TRUE(std::regex_match(report, std::regex("Exception EMediaError in module unit_tests at [0-9A-F]{8}\\.\n"
                                                  "Cannot start video: .+\\.\n")))
      << report;
}

TEST(OutsideFaultsTest, DamagedPicturesAndSoundsAreReportedByName) {
  ScratchDir scratch;
  for (const char* file : {"sprites/title.dat", "sounds/ghost.dat"}) {
    WriteFixtureAssets();
    HalveFile(file);
    const auto [code, report] = RunWholeProgram();
    EXPECT_EQ(code, 1) << file;
    EXPECT_NE(report.find(std::string(file) + ": "), std::string::npos) << report;
  }
}

// As root the game is made to play as nobody, for whom the directory is read-only as well.
TEST(OutsideFaultsTest, AReadOnlyDirectoryLosesNoScoreAndSaysWhy) {
  ScratchDir scratch;
  WriteFixtureAssets();
  const std::vector<uint8_t> zeros(HighScoreFileBytes, 0);  // every score beats it
  WriteBytes(HighScoreFileName, zeros);
  chmod(HighScoreFileName, 0444);
  chmod(scratch.Path().c_str(), 0555);
  EXPECT_EXIT(
      {
        DropRootInChild();
        const bool played = PlayAGame(1);
        std::_Exit(played && ReadBytes(HighScoreFileName) == zeros ? 0 : 1);
      },
      testing::ExitedWithCode(0), "^highscores.bin: the high scores were not saved: Permission denied\n$");
}
