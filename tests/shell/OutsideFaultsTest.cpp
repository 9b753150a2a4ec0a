// Faults from outside the game: no video, missing or damaged assets, a directory the game may not
// write to. The whole program runs in this process.

#include "scores/LibHighScores.h"
#include "shell/BoglingsAndSkitters.h"
#include "support/Headless.h"

#include <sys/stat.h>
#include <unistd.h>

#include <regex>

TEST(OutsideFaultsTest, FatalFaultsEndWithTheReportAndExitCodeOne) {
  // What breaks, and the report's message line.
  const std::pair<std::function<void()>, std::string> rows[] = {
      {[] { setenv("SDL_VIDEODRIVER", "no-such-driver", 1); }, "EMediaError.*\nCannot start video: .+\\."},
      {[] { std::filesystem::remove_all("sprites"); }, "EInOutError.*\nsprites/makerlogo\\.dat: File not found\\."},
      {[] { WriteBytes("sprites/title.dat", Bytes(30, 0)); }, "EMediaError.*\nCannot load picture sprites/title\\.dat: .+"},
      {[] { WriteBytes("sounds/ghost.dat", Bytes(30, 0)); }, "EMediaError.*\nCannot load sound sounds/ghost\\.dat: .+"}};
  for (const auto& [breakIt, message] : rows) {
    ScratchDir scratch;
    WriteFixtureAssets();
    breakIt();
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunProgram(), 1) << message;
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(std::regex_match(report, std::regex("Exception " + message + "\n"))) << report;
    EXPECT_TRUE(std::regex_search(report, std::regex("^Exception E[a-zA-Z]+ in module unit_tests at [0-9A-F]{8}\\.\n"))) << report;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
  }
}

// As root the save runs as nobody, for whom the directory is read-only as well.
TEST(OutsideFaultsTest, AReadOnlyDirectoryLosesNoScoreAndSaysWhy) {
  ScratchDir scratch;
  const Bytes zeros(HighScoreFileBytes, 0);
  WriteBytes(HighScoreFileName, zeros);
  chmod(HighScoreFileName, 0444);
  chmod(scratch.Dir.c_str(), 0555);
  EXPECT_EXIT(
      {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) std::_Exit(2);
        THighScores table;
        table.LoadFromFile();
        table.Insert("bot", 9);
        table.SaveToFile();
        std::_Exit(ReadBytes(HighScoreFileName) == zeros ? 0 : 1);
      },
      testing::ExitedWithCode(0), "^highscores.bin: the high scores were not saved: Permission denied\n$");
}
