#include "scores/HighScoreModule.h"

#include "media/LibSound.h"
#include "shell/BoglingsAndSkitters.h"
#include "support/Headless.h"
#include "support/Recording.h"

namespace {

// The text drawn from (x, y) in the fixture font, one character per 10-pixel cell; ' ' for none.
std::string TextAt(int x, int y, int length) {
  std::string text;
  for (int i = 0; i < length; ++i) {
    const int glyph = GlyphOfColour(ScreenAt(x + 10 * i + 5, y + 8));
    text += glyph < 0 ? ' ' : glyph < 26 ? char('a' + glyph) : glyph < 36 ? char('0' + glyph - 26) : ".,!?@'"[glyph - 36];
  }
  return text;
}

}  // namespace

class HighScoreModuleTest : public HeadlessTest {
 protected:
  void TearDown() override {
    Module.reset();
    HeadlessTest::TearDown();
  }
  void Open(bool entering, uint32_t score, int frames) {
    Module = std::make_unique<THighScoreModule>(Game, entering, score);
    Game.SetModule(Module.get());
    for (int i = 0; i < frames; ++i) RunFrame(Game, 0);
  }
  void Press(int x, int y) {
    PushButton(true, x, y);
    PushButton(false, x, y);
    RunFrame(Game, 0);
  }
  void Type(std::string_view letters) {
    for (const char c : letters) Press(300 + 15 * ((c - 'a') % 13), 160 + 20 * ((c - 'a') / 13));
  }
  Mix_Chunk* Effect() const { return Mix_GetChunk(ChannelEffects); }

  RecordingGame Game;
  std::unique_ptr<THighScoreModule> Module;
};

TEST_F(HighScoreModuleTest, ViewOnlyShowsTheTableSilentlyAndAnyPressLeaves) {
  Open(false, 0, 1);
  EXPECT_EQ(Effect(), nullptr);
  EXPECT_EQ(TextAt(250, 100, 11), "high scores");
  EXPECT_EQ(TextAt(250, 160, 5) + TextAt(500, 160, 5) + TextAt(500, 340, 4), "hoko 1000 100 ");
  EXPECT_EQ(ScreenAt(541, 401), OnScreen(FixtureColour("back")));
  Press(20, 470);
  EXPECT_EQ(Game.Reports, std::vector<std::string>{"finished"});
}

TEST_F(HighScoreModuleTest, NewHighScoreLeadsToAKeyboardWithTruncatedPressAreas) {
  ASSERT_TRUE(SoundIsOpen());
  Open(true, 750, 0);
  Mix_Chunk* const hit = Effect();
  EXPECT_NE(hit, nullptr);
  Type("a");  // ignored during the delay
  for (int i = 0; i < 148; ++i) RunFrame(Game, 0);
  EXPECT_EQ(TextAt(300, 160, 15), "new high score!");
  RunFrame(Game, 0);
  Press(300, 205);  // backspace on an empty name: silent
  EXPECT_EQ(TextAt(300, 160, 1) + TextAt(480, 180, 1) + TextAt(300, 200, 9) + TextAt(300, 240, 5), "azbackspaceenter");
  EXPECT_EQ(Effect(), hit);
  for (const auto& [x, y] : {std::pair{286, 141}, {285, 160}, {300, 140}, {494, 199}, {495, 190}}) Press(x, y);
  EXPECT_EQ(TextAt(300, 280, 3), "az ");
  EXPECT_NE(Effect(), hit);
  Press(374, 219);
  EXPECT_EQ(TextAt(300, 280, 2), "a ");
}

TEST_F(HighScoreModuleTest, EnterStoresTheFirstEightLettersAndTheNextPressLeaves) {
  Open(true, 750, 150);
  Type("abcdefghijkl");
  EXPECT_EQ(TextAt(300, 280, 13), "abcdefghijkl ");
  Press(374, 259);
  EXPECT_TRUE(Game.Reports.empty());
  EXPECT_EQ(TextAt(250, 200, 9) + TextAt(500, 200, 4), "hoko     800 ");
  EXPECT_EQ(TextAt(250, 220, 9) + TextAt(500, 220, 4), "abcdefgh 750 ");
  const std::vector<uint8_t> file = ReadBytes(HighScoreFileName);
  ASSERT_EQ(file.size(), 130u);
  EXPECT_EQ(std::vector<uint8_t>(file.begin() + 39, file.begin() + 52),
            (std::vector<uint8_t>{8, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 0xEE, 2, 0, 0}));
  Press(20, 470);
  EXPECT_EQ(Game.Reports, std::vector<std::string>{"finished"});
}

TEST_F(HighScoreModuleTest, ScoreEqualToTheTenthGoesFromGameOverToTheTableUnsaved) {
  Open(true, 100, 149);
  EXPECT_NE(Effect(), nullptr);
  EXPECT_EQ(TextAt(300, 160, 9), "game over");
  RunFrame(Game, 0);  // the one frame of background and pointer only
  for (const auto& [x, y] : {std::pair{305, 168}, {255, 108}, {305, 248}}) {
    EXPECT_EQ(ScreenAt(x, y), OnScreen(FixtureColour("background")));
  }
  EXPECT_EQ(ScreenAt(1, 1), OnScreen(FixtureColour("hand")));
  RunFrame(Game, 0);
  EXPECT_EQ(TextAt(250, 100, 11) + TextAt(500, 340, 3), "high scores100");
  EXPECT_FALSE(std::filesystem::exists(HighScoreFileName));
}
