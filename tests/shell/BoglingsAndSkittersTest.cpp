#include "shell/BoglingsAndSkitters.h"

#include "game/GameModule.h"
#include "media/LibSound.h"
#include "scores/HighScoreModule.h"
#include "screens/CreditsModule.h"
#include "screens/HelpModule.h"
#include "screens/IntroModule.h"
#include "screens/MenuModule.h"
#include "support/Headless.h"
#include "support/Player.h"

class BoglingsAndSkittersTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    Controller.Start();
  }
  template <class Module>
  bool Showing() {
    return Player.Showing<Module>() != nullptr;
  }
  // Leaves the intro and puts the pointer at (x, y) over the menu.
  void ToMenu(int x = 0, int y = 0) {
    PushButton(true, 0, 0);
    PushMotion(x, y);
    Player.Frames(1);
    ASSERT_TRUE(Showing<TMenuModule>());
  }

  THalloween Controller;
  TPlayer Player{Controller};
};

TEST_F(BoglingsAndSkittersTest, APressEndsTheIntroAndItsReleaseChoosesNothingInTheMenu) {
  ASSERT_TRUE(Showing<TIntroModule>());
  PushMotion(400, 225);  // over "New game"
  PushButton(true, 400, 225);
  PushButton(false, 400, 225);
  Player.Frames(2);
  EXPECT_TRUE(Showing<TMenuModule>());
}

TEST_F(BoglingsAndSkittersTest, LaterEventsOfAFrameReachTheScreenThatReplacedTheReporter) {
  PushButton(true, 0, 0);
  PushMotion(123, 45);
  Player.Frames(1);
  ASSERT_TRUE(Showing<TMenuModule>());
  // The same frame's Update and Draw ran on the menu, with the hand where the motion put it.
  EXPECT_EQ(ScreenAt(123, 45), OnScreen(FixtureColour("hand")));
  EXPECT_EQ(ScreenAt(630, 470), OnScreen(FixtureColour("background")));
}

TEST_F(BoglingsAndSkittersTest, TheIntroEndsByItselfInItsLastFrameWhichShowsNothing) {
  Player.Frames(IntroLength - 1);
  ASSERT_TRUE(Showing<TIntroModule>());
  Player.Frames(1);
  EXPECT_TRUE(Showing<TMenuModule>());
  EXPECT_EQ(ScreenAt(320, 240), Rgb{});
  Player.Frames(1);
  EXPECT_EQ(ScreenAt(630, 470), OnScreen(FixtureColour("background")));
}

TEST_F(BoglingsAndSkittersTest, EveryMenuEntryOpensItsScreenAndEveryScreenReturnsToTheSameMenu) {
  ToMenu();
  TModule* const menu = Controller.GetCurrentModule();
  Mix_Chunk* const music = Mix_GetChunk(ChannelMusic);
  ASSERT_NE(music, nullptr);

  const std::pair<int, bool (BoglingsAndSkittersTest::*)()> pages[] = {
      {175, &BoglingsAndSkittersTest::Showing<THelpModule>},
      {275, &BoglingsAndSkittersTest::Showing<THighScoreModule>},
      {325, &BoglingsAndSkittersTest::Showing<TCreditsModule>},
  };
  for (const auto& [y, showing] : pages) {
    Player.Click(400, y);
    EXPECT_TRUE((this->*showing)()) << y;
    Player.Click(10, 10);
    EXPECT_EQ(Controller.GetCurrentModule(), menu) << y;
  }

  Player.Click(400, 225);
  EXPECT_TRUE(Showing<TGameModule>());
  EXPECT_EQ(Mix_GetChunk(ChannelMusic), music);
  EXPECT_TRUE(Mix_Playing(ChannelMusic));
  EXPECT_FALSE(Controller.IsQuitRequested());

  // The menu was loaded once, so its music was started once and never restarted.
  EXPECT_TRUE(menu->IsLoaded());
}

TEST_F(BoglingsAndSkittersTest, TheExitEntryEndsTheProgramAfterTheFrame) {
  ToMenu();
  PushMotion(499, 399);
  PushButton(true, 499, 399);
  PushMotion(200, 100);
  Player.Frames(1);
  EXPECT_TRUE(Controller.IsQuitRequested());
  // The rest of the frame still ran: the last motion moved the hand.
  EXPECT_EQ(ScreenAt(200, 100), OnScreen(FixtureColour("hand")));
}

TEST_F(BoglingsAndSkittersTest, TheCloseRequestEndsTheProgramFromAnyScreen) {
  PushQuit();
  Player.Frames(1);
  EXPECT_TRUE(Controller.IsQuitRequested());
  EXPECT_TRUE(Showing<TIntroModule>());

  THalloween inHelp;
  inHelp.Start();
  PushButton(true, 0, 0);
  PushMotion(400, 175);
  PushButton(true, 400, 175);
  PushQuit();
  RunFrame(inHelp, 0);
  EXPECT_TRUE(dynamic_cast<THelpModule*>(inHelp.GetCurrentModule()) != nullptr);
  EXPECT_TRUE(inHelp.IsQuitRequested());
}

TEST_F(BoglingsAndSkittersTest, OtherButtonsKeysAndOddQuitCodesChangeNothing) {
  for (Uint8 button : {SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE, SDL_BUTTON_WHEELUP, SDL_BUTTON_WHEELDOWN}) {
    PushButton(true, 10, 10, button);
  }
  SDL_Event key = KeyEvent(SDLK_SPACE);
  SDL_PushEvent(&key);
  Player.Frames(1);
  EXPECT_TRUE(Showing<TIntroModule>());

  Controller.RequestQuit(1);
  EXPECT_FALSE(Controller.IsQuitRequested());
}
