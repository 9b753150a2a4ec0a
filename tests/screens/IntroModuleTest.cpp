#include "screens/IntroModule.h"

#include "media/LibSound.h"
#include "shell/BoglingsAndSkitters.h"
#include "support/Headless.h"

class IntroModuleTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    Game.SetModule(&Intro);
  }
  RecordingGame Game;
  TIntroModule Intro{Game};
};

TEST_F(IntroModuleTest, LogoPresentsTitleAndGhostFollowTheirTimeline) {
  const Rgb logo = Shown("makerlogo"), title = Shown("title"), ghost = Shown("ghost");
  // The tick a frame shows, then points and what they show; the logo and title are centred.
  const std::pair<int, std::vector<std::tuple<int, int, Rgb>>> timeline[] = {
      {49, {{320, 240, Black}}},
      {50, {{220, 190, logo}, {419, 289, logo}, {219, 190, Black}, {220, 189, Black}}},
      {199, {{320, 240, logo}}},
      {200, {{320, 240, Black}}},
      {250, {{283, 230, ShownGlyph('p')}}},
      {399, {{320, 270, Black}, {362, 245, ShownGlyph('s')}}},
      {400, {{170, 180, title}, {470, 300, title}, {169, 180, Black}, {170, 179, Black}, {283, 230, title}}},
      {599, {{320, 240, title}}},
      {749, {{320, 240, title}, {514, 232, ghost}, {513, 232, Black}}},
      {750, {{320, 240, Black}, {540, 256, ghost}}},
      {819, {{320, 240, Black}}},
  };
  Mix_Chunk* hit = nullptr;
  for (int shown = 0; const auto& [tick, probes] : timeline) {
    for (; shown < tick; ++shown) Frames(Game, 1);
    for (const auto& [x, y, colour] : probes) EXPECT_EQ(ScreenAt(x, y), colour) << "tick " << tick << " at " << x << "," << y;
    if (tick == 399) {
      ExpectText(283, 230, "presents");
      EXPECT_EQ(Mix_GetChunk(ChannelEffects), nullptr) << "silent until the title";
    }
    if (tick == 400) hit = Mix_GetChunk(ChannelEffects);
    if (tick == 599) {
      EXPECT_NE(hit, nullptr);
      EXPECT_EQ(Mix_GetChunk(ChannelEffects), hit);
    }
    if (tick == 749) {
      EXPECT_NE(Mix_GetChunk(ChannelEffects), hit) << "the ghost's sound";
    }
  }
  EXPECT_TRUE(Game.Reports.empty());
  Frames(Game, 1);
  EXPECT_EQ(Game.Reports, (std::vector<std::string>{"finished"}));
}

TEST_F(IntroModuleTest, TheGhostFliesOnATruncatedSineWaveAndOnlyAPressEndsTheIntroEarly) {
  const std::tuple<int, int, int> flight[] = {{600, 240, 240}, {601, 242, 241}, {679, 398, 339}, {758, 556, 239}, {819, 678, 146}};
  for (const auto& [tick, x, y] : flight) EXPECT_EQ(std::pair(GhostPosition(tick).X, GhostPosition(tick).Y), std::pair(x, y)) << tick;
  Intro.MouseMove(300, 200);
  Intro.MouseButton(false, 300, 200);
  EXPECT_TRUE(Game.Reports.empty());
  Intro.MouseButton(true, 300, 200);
  EXPECT_EQ(Game.Reports, (std::vector<std::string>{"finished"}));
  EXPECT_EQ(Mix_GetChunk(ChannelEffects), nullptr) << "ended before any of its sounds";
}
