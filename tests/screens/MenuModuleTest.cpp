#include "screens/MenuModule.h"

#include "media/LibGraphics.h"
#include "media/LibSound.h"
#include "support/Headless.h"

class MenuModuleTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    Game.SetModule(&Menu);
  }
  RecordingGame Game;
  TMenuModule Menu{Game};
};

TEST_F(MenuModuleTest, EntriesAreFiftyPixelBandsJudgedByTheLastMotion) {
  EXPECT_TRUE(Menu.IsLoaded());
  EXPECT_TRUE(Mix_Playing(ChannelMusic));
  // Where the pointer rests, and what a press there reports after its click.
  const std::tuple<int, int, std::string> rows[] = {
      {300, 150, "choice 1"}, {499, 199, "choice 1"}, {300, 200, "choice 2"}, {400, 299, "choice 3"},
      {400, 349, "choice 4"}, {400, 350, "quit 0"},   {499, 399, "quit 0"},   {299, 150, ""},
      {300, 149, ""},         {500, 399, ""},         {400, 400, ""}};
  for (const auto& [x, y, report] : rows) {
    Game.Reports.clear();
    MarkChannel(ChannelEffects);
    Menu.MouseMove(x, y);
    Menu.MouseButton(false, x, y);
    Menu.MouseButton(true, 10, 10);
    EXPECT_EQ(Game.Reports, report.empty() ? std::vector<std::string>{} : std::vector<std::string>{report}) << x << "," << y;
    EXPECT_EQ(PlayedSince(ChannelEffects), !report.empty()) << "the click, " << x << "," << y;
  }
}

TEST_F(MenuModuleTest, DrawsTitleEntriesAndTheHandOnTop) {
  Menu.MouseMove(400, 225);
  ClearScreen();
  Menu.Draw();
  // The title is centred on (400, 80), the 180 by 40 entries on x 400 from y 175 on.
  const std::tuple<int, int, const char*> probes[] = {
      {0, 479, "background"}, {250, 20, "title"}, {550, 140, "title"}, {249, 20, "background"}, {400, 225, "hand"},
      {310, 155, "howtoplay"}, {489, 194, "howtoplay"}, {309, 155, "background"}, {310, 205, "newgame"},
      {310, 255, "highscores"}, {489, 294, "highscores"}, {310, 305, "credits"}, {310, 355, "exit"},
      {489, 394, "exit"}, {489, 395, "background"}};
  for (const auto& [x, y, picture] : probes) EXPECT_EQ(ScreenAt(x, y), Shown(picture)) << x << "," << y;
}
