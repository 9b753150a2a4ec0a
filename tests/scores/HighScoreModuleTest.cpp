#include "scores/HighScoreModule.h"

#include "media/LibSound.h"
#include "shell/BoglingsAndSkitters.h"
#include "support/Headless.h"

class HighScoreModuleTest : public HeadlessTest {
 protected:
  void TearDown() override {
    Module.reset();
    HeadlessTest::TearDown();
  }
  void Open(bool entering, uint32_t score, int frames) {
    Module = std::make_unique<THighScoreModule>(Game, entering, score);
    Game.SetModule(Module.get());
    Frames(Game, frames);
  }
  // Presses and lets go at (x, y), the pointer then aside, for a frame; true when a sound played.
  bool Press(int x, int y) {
    MarkChannel(ChannelEffects);
    PushButton(true, x, y);
    PushButton(false, x, y);
    PushMotion(620, 10);
    Frames(Game, 1);
    return PlayedSince(ChannelEffects);
  }
  void ExpectTable(const std::vector<std::pair<std::string, std::string>>& rows) {
    ExpectText(250, 100, "High Scores");
    for (size_t i = 0; i < rows.size(); ++i) {
      if (!rows[i].first.empty()) ExpectText(250, 160 + 20 * int(i), rows[i].first);
      ExpectText(500, 160 + 20 * int(i), rows[i].second);
    }
    EXPECT_EQ(ScreenAt(540, 400), Shown("back"));
    EXPECT_EQ(ScreenAt(539, 400), Shown("background"));
  }

  RecordingGame Game;
  std::unique_ptr<THighScoreModule> Module;
};

TEST_F(HighScoreModuleTest, FromTheMenuTheTableShowsAtOnceSilentlyAndAnyPressLeaves) {
  Open(false, 0, 1);
  EXPECT_EQ(Mix_GetChunk(ChannelEffects), nullptr);
  ExpectTable({{"hoko", "1000"}, {"hoko", "900"}, {"hoko", "800"}, {"hoko", "700"}, {"hoko", "600"},
               {"hoko", "500"}, {"hoko", "400"}, {"hoko", "300"}, {"hoko", "200"}, {"hoko", "100"}});
  EXPECT_FALSE(Press(20, 470));
  EXPECT_EQ(Game.Reports, std::vector<std::string>{"finished"});
}

TEST_F(HighScoreModuleTest, ANewHighScoreIsTypedOnTheKeyboardAndSavedWithItsFirstEightLetters) {
  Open(true, 750, 0);
  EXPECT_NE(Mix_GetChunk(ChannelEffects), nullptr) << "the hit sound";
  EXPECT_FALSE(Press(300, 160)) << "the keyboard waits for the message";
  Frames(Game, 148);
  ExpectText(300, 160, "new high score!");
  Frames(Game, 1);
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    ExpectText(300 + 15 * ((letter - 'a') % 13), 160 + 20 * ((letter - 'a') / 13), std::string(1, letter));
  }
  ExpectText(300, 200, "backspace");
  ExpectText(300, 240, "enter");
  // Press, then the name so far and whether a sound played.
  const std::tuple<int, int, std::string, bool> presses[] = {
      {300, 205, "", false},  {286, 141, "a", true}, {285, 160, "a", false}, {300, 140, "a", false},
      {494, 199, "az", true}, {495, 190, "az", false}, {374, 219, "a", true}, {375, 219, "a", false},
      {374, 239, "a", false}, {315, 160, "ab", true}};
  for (const auto& [x, y, name, sounds] : presses) {
    EXPECT_EQ(Press(x, y), sounds) << x << "," << y;
    EXPECT_EQ(TextAt(300, 280, 3), name + std::string(3 - name.size(), ' ')) << x << "," << y;
  }
  for (const char letter : std::string("cdefghijkl")) Press(300 + 15 * ((letter - 'a') % 13), 160 + 20 * ((letter - 'a') / 13));
  ExpectText(300, 280, "abcdefghijkl");
  EXPECT_TRUE(Press(374, 259));
  EXPECT_TRUE(Game.Reports.empty()) << "the press on enter does not also leave";
  ExpectTable({{"hoko", "1000"}, {"hoko", "900"}, {"hoko", "800"}, {"abcdefgh", "750"}, {"hoko", "700"}});
  const Bytes file = ReadBytes(HighScoreFileName);
  ASSERT_EQ(file.size(), 130u);
  EXPECT_EQ(Bytes(file.begin() + 39, file.begin() + 52), (Bytes{8, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 0xEE, 2, 0, 0}));
  Press(20, 470);
  EXPECT_EQ(Game.Reports, std::vector<std::string>{"finished"});
}

TEST_F(HighScoreModuleTest, AScoreEqualToTheTenthGoesFromGameOverToTheTableUnsaved) {
  Open(true, 100, 149);
  EXPECT_NE(Mix_GetChunk(ChannelEffects), nullptr);
  ExpectText(300, 160, "game over");
  PushMotion(1, 1);
  Frames(Game, 1);  // the one frame of background and pointer only
  for (const TPoint p : {TPoint{305, 168}, {255, 108}, {305, 248}}) EXPECT_EQ(ScreenAt(p.X, p.Y), Shown("background"));
  EXPECT_EQ(ScreenAt(1, 1), Shown("hand"));
  Frames(Game, 1);
  ExpectTable({{"hoko", "1000"}});
  EXPECT_FALSE(std::filesystem::exists(HighScoreFileName));
}
