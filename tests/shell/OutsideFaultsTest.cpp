// Faults from outside the game: no video, missing assets (LibFilesTest has the damaged ones). The
// whole program runs in this process.

#include "shell/BoglingsAndSkitters.h"
#include "support/Headless.h"

#include <regex>

TEST(OutsideFaultsTest, FatalFaultsEndWithTheReportAndExitCodeOne) {
  // What breaks, and the class and message of the report it ends with.
  const std::tuple<std::function<void()>, std::string, std::string> rows[] = {
      {[] { setenv("SDL_VIDEODRIVER", "no-such-driver", 1); }, "EMediaError", "Cannot start video: .+\\."},
      {[] { std::filesystem::remove_all("sprites"); }, "EInOutError", "sprites/makerlogo\\.dat: File not found\\."},
      {[] { std::filesystem::remove_all("sprites"), std::filesystem::create_symlink("sprites", "sprites"); },
       "EInOutError", "sprites/icon\\.dat: Too many levels of symbolic links\\."}};
  for (const auto& [breakIt, failure, message] : rows) {
    ScratchDir scratch;
    WriteFixtureAssets();
    breakIt();
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunProgram(), 1) << message;
    const std::string reported = testing::internal::GetCapturedStderr();
    const std::regex report("Exception " + failure + " in module unit_tests at [0-9A-F]{8}\\.\n" + message + "\n");
    EXPECT_TRUE(std::regex_match(reported, report)) << reported;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
  }
}
