// Faults from outside the game: no video, missing or damaged assets. The whole program runs in this
// process.

#include "shell/BoglingsAndSkitters.h"
#include "support/Headless.h"

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
