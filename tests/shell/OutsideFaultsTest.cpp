// Faults from outside the game: no video, missing or damaged assets, a directory the game may not
// write to. The whole program runs in this process.

#include "scores/LibHighScores.h"
#include "shell/BoglingsAndSkitters.h"
#include "support/Headless.h"

#include <sys/stat.h>
#include <unistd.h>

#include <regex>

TEST(OutsideFaultsTest, FatalFaultsEndWithTheReportAndExitCodeOne) {
  // What breaks, and the report it ends with.
  const std::pair<std::function<void()>, std::string> rows[] = {
      {[] { setenv("SDL_VIDEODRIVER", "no-such-driver", 1); }, "EMediaError.*\nCannot start video: .+\\."},
      {[] { std::filesystem::remove_all("sprites"); }, "EInOutError.*\nsprites/makerlogo\\.dat: File not found\\."},
      {[] { WriteBytes("sprites/title.dat", Bytes(30, 0)); }, "EMediaError.*\nCannot load picture sprites/title\\.dat: .+"},
      {[] { WriteBytes("sounds/ghost.dat", Bytes(30, 0)); }, "EMediaError.*\nCannot load sound sounds/ghost\\.dat: .+"}};
  for (const auto& [breakIt, report] : rows) {
    ScratchDir scratch;
    WriteFixtureAssets();
    breakIt();
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunProgram(), 1) << report;
    const std::string reported = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(std::regex_match(reported, std::regex("Exception " + report + "\n"))) << reported;
    EXPECT_TRUE(std::regex_search(reported, std::regex("^Exception E[a-zA-Z]+ in module unit_tests at [0-9A-F]{8}\\.\n"))) << reported;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
  }
}

// As root the save runs as nobody, for whom the directory is read-only as well.
TEST(OutsideFaultsTest, AReadOnlyDirectoryLosesNoScoreAndSaysWhy) {
  ScratchDir scratch;
  WriteBytes(HighScoreFileName, Bytes(HighScoreFileBytes, 0));
  chmod(HighScoreFileName, 0444);
  chmod(scratch.Dir.c_str(), 0555);
  EXPECT_EXIT(
      {
        DropRootInChild();
        THighScores table;
        table.Insert("bot", 9000);
        table.SaveToFile();
        std::_Exit(ReadBytes(HighScoreFileName) == Bytes(HighScoreFileBytes, 0) ? 0 : 1);
      },
      testing::ExitedWithCode(0), "^highscores.bin: the high scores were not saved: Permission denied\n$");
}
