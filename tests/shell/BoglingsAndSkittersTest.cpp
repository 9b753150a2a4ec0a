// Journeys through the real controller and frame loop, fed with real SDL events.

#include "shell/BoglingsAndSkitters.h"

#include "game/GameModule.h"
#include "media/LibSound.h"
#include "scores/HighScoreModule.h"
#include "scores/LibHighScores.h"
#include "screens/CreditsModule.h"
#include "screens/HelpModule.h"
#include "screens/IntroModule.h"
#include "screens/MenuModule.h"
#include "support/Headless.h"

class BoglingsAndSkittersTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    Controller.Start();
  }
  template <class Module>
  bool Showing() {
    return dynamic_cast<Module*>(Controller.GetCurrentModule()) != nullptr;
  }
  // Leaves the intro with a press; the pointer then rests at (x, y).
  void ToMenu(int x = 0, int y = 0) {
    PushButton(true, 0, 0);
    PushMotion(x, y);
    Frames(Controller, 1);
    ASSERT_TRUE(Showing<TMenuModule>());
  }
  THalloween Controller;
};

TEST_F(BoglingsAndSkittersTest, APressEndsTheIntroAndLaterEventsOfItsFrameReachTheMenu) {
  ASSERT_TRUE(Showing<TIntroModule>());
  PushMotion(400, 225);  // over "New game"
  PushButton(true, 400, 225);
  PushButton(false, 400, 225);  // a release: the menu chooses nothing
  PushMotion(123, 45);
  Frames(Controller, 2);
  EXPECT_TRUE(Showing<TMenuModule>());
  EXPECT_EQ(ScreenAt(123, 45), Shown("hand"));
  EXPECT_EQ(ScreenAt(630, 470), Shown("background"));
}

TEST_F(BoglingsAndSkittersTest, TheIntroEndsByItselfInAFrameThatShowsNothing) {
  SDL_WarpMouse(77, 66);
  Frames(Controller, IntroLength - 1);
  ASSERT_TRUE(Showing<TIntroModule>());
  Frames(Controller, 1);
  EXPECT_TRUE(Showing<TMenuModule>());
  EXPECT_EQ(ScreenAt(320, 240), Black);
  Frames(Controller, 1);
  EXPECT_EQ(ScreenAt(77, 66), Shown("hand")) << "the menu knows the pointer from its first frame";
}

TEST_F(BoglingsAndSkittersTest, EveryMenuEntryOpensItsScreenAndEveryScreenReturnsToTheSameMenu) {
  ToMenu();
  TModule* const menu = Controller.GetCurrentModule();
  Mix_Chunk* const music = Mix_GetChunk(ChannelMusic);
  const std::pair<int, bool (BoglingsAndSkittersTest::*)()> entries[] = {
      {175, &BoglingsAndSkittersTest::Showing<THelpModule>},
      {275, &BoglingsAndSkittersTest::Showing<THighScoreModule>},
      {325, &BoglingsAndSkittersTest::Showing<TCreditsModule>},
      {225, &BoglingsAndSkittersTest::Showing<TGameModule>},
  };
  for (const auto& [y, showing] : entries) {
    Click(Controller, 400, y);
    EXPECT_TRUE((this->*showing)()) << y;
    EXPECT_EQ(Mix_GetChunk(ChannelMusic), music);
    EXPECT_TRUE(Mix_Playing(ChannelMusic)) << "the music plays on, never restarted";
    Click(Controller, 31, 31);  // the game's quit button; elsewhere any press leaves
    if (Showing<THighScoreModule>()) Frames(Controller, 152), Click(Controller, 10, 10);
    EXPECT_EQ(Controller.GetCurrentModule(), menu) << y;
  }
  EXPECT_FALSE(Controller.IsQuitRequested());
}

TEST_F(BoglingsAndSkittersTest, AWholeGameScoresALineAndSavesTheTypedName) {
  WriteBytes(HighScoreFileName, Bytes(HighScoreFileBytes, 0));  // any score earns first place
  ToMenu();
  Click(Controller, 400, 225);
  const auto* game = dynamic_cast<TGameModule*>(Controller.GetCurrentModule());
  ASSERT_NE(game, nullptr);
  Frames(Controller, 40);  // the new tiles come to rest
  const auto line = FindLine(game->GetBoard());
  ASSERT_TRUE(line) << "a board at rest always holds a line";
  Drag(Controller, *line);
  EXPECT_EQ(game->GetScore(), 9);
  Click(Controller, 31, 31);
  ASSERT_TRUE(Showing<THighScoreModule>());
  Frames(Controller, 150);
  for (const TPoint key : {TPoint{315, 160}, {315, 180}, {390, 180}, {300, 240}}) Click(Controller, key.X, key.Y);
  Bytes expected(HighScoreFileBytes, 0);
  const Bytes first = {3, 'b', 'o', 't', 0, 0, 0, 0, 0, 9, 0, 0, 0};
  std::copy(first.begin(), first.end(), expected.begin());
  EXPECT_EQ(ReadBytes(HighScoreFileName), expected);
  EXPECT_TRUE(Showing<THighScoreModule>()) << "the press on enter does not also leave";
  Click(Controller, 10, 10);
  EXPECT_TRUE(Showing<TMenuModule>());
}

TEST_F(BoglingsAndSkittersTest, TheCloseRequestEndsTheProgramFromAnyScreenAndSavesNothing) {
  WriteBytes(HighScoreFileName, Bytes(HighScoreFileBytes, 0));
  const std::vector<TPoint> roads[] = {{}, {{0, 0}, {400, 175}}, {{0, 0}, {400, 225}}, {{0, 0}, {400, 225}, {31, 31}}};
  for (const auto& road : roads) {
    THalloween controller;
    controller.Start();
    for (const TPoint press : road) Click(controller, press.X, press.Y);
    Frames(controller, 200);
    TModule* const showing = controller.GetCurrentModule();
    PushQuit();
    PushMotion(200, 100);
    Frames(controller, 1);
    EXPECT_TRUE(controller.IsQuitRequested()) << road.size();
    EXPECT_EQ(controller.GetCurrentModule(), showing);
    EXPECT_EQ(ReadBytes(HighScoreFileName), Bytes(HighScoreFileBytes, 0));
  }
  EXPECT_FALSE(Controller.IsQuitRequested()) << "only the controller asked";
}

TEST_F(BoglingsAndSkittersTest, TheExitEntryEndsTheProgramAfterTheFrame) {
  ToMenu();
  PushMotion(499, 399);
  PushButton(true, 499, 399);
  PushMotion(200, 100);
  Frames(Controller, 1);
  EXPECT_TRUE(Controller.IsQuitRequested());
  EXPECT_EQ(ScreenAt(200, 100), Shown("hand")) << "the rest of the frame still ran";
}

TEST_F(BoglingsAndSkittersTest, OtherButtonsKeysAndQuitCodesChangeNothing) {
  for (const Uint8 button : {SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE, SDL_BUTTON_WHEELUP, SDL_BUTTON_WHEELDOWN}) {
    PushButton(true, 10, 10, button);
  }
  PushKey(SDLK_SPACE);
  Frames(Controller, 1);
  EXPECT_TRUE(Showing<TIntroModule>());
  Controller.RequestQuit(1);
  EXPECT_FALSE(Controller.IsQuitRequested());
}
