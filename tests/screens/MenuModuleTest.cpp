#include "screens/MenuModule.h"

#include "media/LibGraphics.h"
#include "media/LibSound.h"
#include "support/Headless.h"
#include "support/Recording.h"

class MenuModuleTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    Game.SetModule(&Menu);
  }
  // What a press at (x, y) reports, and whether it clicked.
  std::vector<std::string> PressAt(int x, int y) {
    Game.Reports.clear();
    Mix_HaltChannel(ChannelEffects);
    Menu.MouseMove(x, y);
    Menu.MouseButton(true, x, y);
    if (Mix_Playing(ChannelEffects)) Game.Reports.insert(Game.Reports.begin(), "click");
    return Game.Reports;
  }
  using Reports = std::vector<std::string>;

  RecordingGame Game;
  TMenuModule Menu{Game};
};

TEST_F(MenuModuleTest, LoadingStartsTheLoopingMusic) {
  EXPECT_TRUE(Menu.IsLoaded());
  EXPECT_TRUE(Mix_Playing(ChannelMusic));
}

TEST_F(MenuModuleTest, EntriesAreFiftyPixelBandsInAColumnFromThreeHundredToFiveHundred) {
  EXPECT_EQ(PressAt(300, 150), (Reports{"click", "choice 1"}));
  EXPECT_EQ(PressAt(499, 199), (Reports{"click", "choice 1"}));
  EXPECT_EQ(PressAt(300, 200), (Reports{"click", "choice 2"}));
  EXPECT_EQ(PressAt(400, 299), (Reports{"click", "choice 3"}));
  EXPECT_EQ(PressAt(400, 349), (Reports{"click", "choice 4"}));
  EXPECT_EQ(PressAt(400, 350), (Reports{"click", "quit 0"}));
  EXPECT_EQ(PressAt(499, 399), (Reports{"click", "quit 0"}));
  for (auto [x, y] : {std::pair(299, 150), {300, 149}, {500, 399}, {400, 400}}) {
    EXPECT_EQ(PressAt(x, y), Reports{}) << x << "," << y;
  }
}

TEST_F(MenuModuleTest, PressesAreJudgedByTheLastMotionAndReleasesIgnored) {
  Menu.MouseMove(400, 175);
  Menu.MouseButton(false, 400, 175);
  EXPECT_TRUE(Game.Reports.empty());
  Menu.MouseButton(true, 10, 10);
  EXPECT_EQ(Game.Reports, (Reports{"choice 1"}));
}

TEST_F(MenuModuleTest, DrawsTitleEntriesAndTheHandOnTop) {
  Menu.MouseMove(400, 225);
  ClearScreen();
  Menu.Draw();
  EXPECT_EQ(ScreenAt(0, 479), OnScreen(FixtureColour("background")));
  EXPECT_EQ(ScreenAt(400, 80), OnScreen(FixtureColour("title")));
  const char* entries[] = {"howtoplay", "newgame", "highscores", "credits", "exit"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(ScreenAt(310, 175 + 50 * i), OnScreen(FixtureColour(entries[i]))) << entries[i];
  }
  EXPECT_EQ(ScreenAt(400, 225), OnScreen(FixtureColour("hand")));
}
