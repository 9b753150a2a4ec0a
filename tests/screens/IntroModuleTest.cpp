#include "screens/IntroModule.h"

#include "media/LibSound.h"
#include "shell/BoglingsAndSkitters.h"
#include "support/Headless.h"
#include "support/Recording.h"

class IntroModuleTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    Game.SetModule(&Intro);
  }
  // Runs frames until the intro's Draw has seen tick t.
  void ShowTick(int t) {
    while (Shown < t) {
      RunFrame(Game, 0);
      ++Shown;
    }
  }
  Rgb Centre() { return ScreenAt(320, 240); }

  RecordingGame Game;
  TIntroModule Intro{Game};
  int Shown = 0;
};

TEST_F(IntroModuleTest, TimelineShowsLogoPresentsTitleAndGhostInTurn) {
  const Rgb logo = OnScreen(FixtureColour("makerlogo"));
  const Rgb title = OnScreen(FixtureColour("title"));
  const Rgb ghost = OnScreen(FixtureColour("ghost"));
  ShowTick(49);
  EXPECT_EQ(Centre(), Rgb{});
  ShowTick(50);
  EXPECT_EQ(Centre(), logo);
  ShowTick(199);
  EXPECT_EQ(Centre(), logo);
  ShowTick(200);
  EXPECT_EQ(Centre(), Rgb{});
  ShowTick(250);
  EXPECT_EQ(GlyphOfColour(ScreenAt(283, 230)), 15);  // the "p" of "presents"
  ShowTick(399);
  EXPECT_EQ(GlyphOfColour(ScreenAt(283, 230)), 15);
  EXPECT_FALSE(Mix_Playing(ChannelEffects));
  ShowTick(400);
  EXPECT_EQ(Centre(), title);
  EXPECT_TRUE(Mix_Playing(ChannelEffects));
  ShowTick(749);
  EXPECT_EQ(Centre(), title);
  EXPECT_EQ(ScreenAt(538, 256), ghost);
  ShowTick(750);
  EXPECT_EQ(Centre(), Rgb{});
  EXPECT_EQ(ScreenAt(540, 256), ghost);
  EXPECT_TRUE(Game.Reports.empty());
  ShowTick(IntroLength);
  EXPECT_EQ(Game.Reports, (std::vector<std::string>{"finished"}));
}

TEST_F(IntroModuleTest, GhostFliesOnATruncatedSineWave) {
  const auto at = [](int t) {
    const IntroPoint p = GhostPosition(t);
    return std::pair(p.X, p.Y);
  };
  EXPECT_EQ(at(600), std::pair(240, 240));
  EXPECT_EQ(at(601), std::pair(242, 241));
  EXPECT_EQ(at(679), std::pair(398, 339));
  EXPECT_EQ(at(758), std::pair(556, 239));
  EXPECT_EQ(at(819), std::pair(678, 146));
}

TEST_F(IntroModuleTest, OnlyAPressEndsItEarly) {
  Intro.MouseMove(300, 200);
  Intro.MouseButton(false, 300, 200);
  EXPECT_TRUE(Game.Reports.empty());
  Intro.MouseButton(true, 300, 200);
  EXPECT_EQ(Game.Reports, (std::vector<std::string>{"finished"}));
  EXPECT_FALSE(Mix_Playing(ChannelEffects));  // ended before any of its sounds
}
