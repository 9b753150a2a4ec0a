#include "screens/CreditsModule.h"
#include "screens/HelpModule.h"

#include "media/LibGraphics.h"
#include "support/Headless.h"
#include "support/Recording.h"

class PageModuleTest : public HeadlessTest {
 protected:
  void Show(TModule& page) {
    Game.SetModule(&page);
    ClearScreen();
    page.Draw();
  }
  int GlyphAt(int x, int y) { return GlyphOfColour(ScreenAt(x, y)); }

  RecordingGame Game;
};

TEST_F(PageModuleTest, HelpPageSetsItsLinesInTheFont) {
  THelpModule help(Game);
  Show(help);
  EXPECT_EQ(GlyphAt(200, 60), GlyphIndex('H'));
  EXPECT_EQ(GlyphAt(200, 100), GlyphIndex('I'));
  EXPECT_EQ(GlyphAt(580, 100), GlyphIndex('e'));  // the longest lines end at x = 589
  EXPECT_EQ(ScreenAt(590, 100), OnScreen(FixtureColour("background")));
  EXPECT_EQ(GlyphAt(200, 335), GlyphIndex('C'));
  EXPECT_EQ(GlyphAt(200, 380), GlyphIndex('i'));
  EXPECT_EQ(GlyphAt(570, 250), GlyphIndex(','));
  EXPECT_EQ(ScreenAt(540, 400), OnScreen(FixtureColour("back")));
}

TEST_F(PageModuleTest, CreditsPageSetsRolesAndNames) {
  TCreditsModule credits(Game);
  Show(credits);
  EXPECT_EQ(GlyphAt(250, 100), GlyphIndex('C'));
  EXPECT_EQ(GlyphAt(250, 240), GlyphIndex('M'));
  EXPECT_EQ(GlyphAt(250, 260), GlyphIndex('s'));
  EXPECT_EQ(GlyphAt(250, 300), GlyphIndex('T'));
  for (int y : {160, 200, 240, 300, 320, 340}) EXPECT_NE(GlyphAt(400, y), -1) << y;
  EXPECT_EQ(GlyphAt(400, 180), -1);
}

TEST_F(PageModuleTest, TheHandFollowsThePointerAndAnyPressEndsThePage) {
  THelpModule help(Game);
  Show(help);
  help.MouseMove(20, 450);
  ClearScreen();
  help.Draw();
  EXPECT_EQ(ScreenAt(20, 450), OnScreen(FixtureColour("hand")));
  help.MouseButton(false, 20, 450);
  EXPECT_TRUE(Game.Reports.empty());
  help.MouseButton(true, 20, 450);  // far from the back picture
  EXPECT_EQ(Game.Reports, (std::vector<std::string>{"finished"}));
}
