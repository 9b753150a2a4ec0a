#include "screens/CreditsModule.h"
#include "screens/HelpModule.h"

#include "media/LibGraphics.h"
#include "support/Headless.h"

class PageModuleTest : public HeadlessTest {
 protected:
  RecordingGame Game;
};

TEST_F(PageModuleTest, EachPageSetsItsLinesInTheFontAndAnyPressEndsIt) {
  THelpModule help(Game);
  TCreditsModule credits(Game);
  const std::pair<TModule*, std::vector<std::tuple<int, int, std::string>>> pages[] = {
      {&help,
       {{200, 60, "How to play"}, {200, 100, "It's Halloween and you've called at the"},
        {200, 120, "spookiest house on the street! Boglings"}, {200, 140, "and skitters are everywhere but that"},
        {200, 160, "won't keep you from getting as many"}, {200, 180, "sweets as you can."},
        {200, 210, "Click and drag a line over 3 or more of"}, {200, 230, "the same picture tile to make them"},
        {200, 250, "disappear. The more you get in one go,"}, {200, 270, "the more sweets you'll earn."},
        {200, 290, "When you clear enough tiles, you'll"}, {200, 310, "go to the next level."},
        {200, 335, "Click the wand if you need a hint."}, {200, 360, "Beware, your time is limited, when"},
        {200, 380, "it runs out you lose a turn."}}},
      {&credits,
       {{250, 100, "Credits"}, {250, 160, "Programming"}, {400, 160, "Lantern Moth"}, {250, 200, "Graphics"},
        {400, 200, "Lantern Moth"}, {250, 240, "Music and"}, {250, 260, "sound"}, {400, 240, "Lantern Moth"},
        {250, 300, "Testing"}, {400, 300, "Night Shift"}, {400, 320, "Pumpkin Patch"}, {400, 340, "Our Players"}}}};
  for (const auto& [page, lines] : pages) {
    Game.SetModule(page);
    page->MouseMove(20, 450);
    ClearScreen();
    page->Draw();
    for (const auto& [x, y, text] : lines) ExpectText(x, y, text);
    EXPECT_EQ(ScreenAt(0, 0), Shown("background"));
    EXPECT_EQ(ScreenAt(540, 400), Shown("back"));
    EXPECT_EQ(ScreenAt(603, 431), Shown("back"));
    EXPECT_EQ(ScreenAt(539, 400), Shown("background"));
    EXPECT_EQ(ScreenAt(20, 450), Shown("hand"));
    page->MouseButton(false, 20, 450);
    EXPECT_TRUE(Game.Reports.empty());
    page->MouseButton(true, 20, 450);  // far from the back picture
    EXPECT_EQ(Game.Reports, (std::vector<std::string>{"finished"}));
    Game.Reports.clear();
  }
}
