#include "media/LibMessageBox.h"

#include "media/LibGraphics.h"
#include "support/Headless.h"

class LibMessageBoxTest : public HeadlessTest {
 protected:
  const std::string Report = "Exception EInOutError in module boglings at 0000E532.\nRead beyond end of file.";
};

TEST_F(LibMessageBoxTest, BoxIsCentredWithItsOkButtonInside) {
  ClearScreen();
  const SDL_Rect ok = DrawMessageBox("Application Error", Report);
  EXPECT_NE(ScreenAt(320, 240), Rgb{});
  EXPECT_EQ(ScreenAt(2, 2), Rgb{});
  EXPECT_GT(ok.x, 0);
  EXPECT_LT(ok.x + ok.w, ScreenWidth);
  EXPECT_LT(ok.y + ok.h, ScreenHeight);
  EXPECT_NEAR(ok.x + ok.w / 2, 320, 1);

  // A message far wider than the window is wrapped, so the box still fits.
  ClearScreen();
  const SDL_Rect wrapped = DrawMessageBox("Application Error", std::string(300, 'x') + " " + std::string(20, 'y'));
  EXPECT_EQ(ScreenAt(0, 240), Rgb{});
  EXPECT_LT(wrapped.y + wrapped.h, ScreenHeight);
}

TEST_F(LibMessageBoxTest, OkEnterEscapeAndTheCloseRequestCloseIt) {
  const SDL_Rect ok{300, 300, 64, 24};
  EXPECT_TRUE(ClosesMessageBox(SDL_Event{SDL_QUIT}, ok));
  EXPECT_TRUE(ClosesMessageBox(KeyEvent(SDLK_RETURN), ok));
  EXPECT_TRUE(ClosesMessageBox(KeyEvent(SDLK_KP_ENTER), ok));
  EXPECT_TRUE(ClosesMessageBox(KeyEvent(SDLK_ESCAPE), ok));
  EXPECT_TRUE(ClosesMessageBox(ButtonEvent(true, 300, 300), ok));
  EXPECT_TRUE(ClosesMessageBox(ButtonEvent(true, 363, 323), ok));
  EXPECT_FALSE(ClosesMessageBox(KeyEvent(SDLK_SPACE), ok));
  EXPECT_FALSE(ClosesMessageBox(ButtonEvent(true, 364, 310), ok));
  EXPECT_FALSE(ClosesMessageBox(ButtonEvent(true, 299, 310), ok));
  EXPECT_FALSE(ClosesMessageBox(ButtonEvent(true, 320, 310, SDL_BUTTON_RIGHT), ok));
}

TEST_F(LibMessageBoxTest, RunningBoxWaitsForAClosingEvent) {
  PushMotion(10, 10);
  PushButton(true, 5, 5);
  SDL_Event escape = KeyEvent(SDLK_ESCAPE);
  SDL_PushEvent(&escape);
  PushMotion(20, 20);
  RunMessageBox("Application Error", Report);
  // It stopped at the Escape and left the later event alone.
  SDL_Event next{};
  ASSERT_EQ(SDL_PollEvent(&next), 1);
  EXPECT_EQ(next.type, SDL_MOUSEMOTION);
}

TEST_F(LibMessageBoxTest, WithoutARealWindowThereIsNoBox) {
  ShowMessageBox("Application Error", Report);  // would wait for ever if it showed
  SUCCEED();
}
