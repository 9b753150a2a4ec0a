#include "media/LibMessageBox.h"

#include "media/LibGraphics.h"
#include "support/Headless.h"

class LibMessageBoxTest : public HeadlessTest {};

TEST_F(LibMessageBoxTest, TheBoxIsCentredWrapsLongLinesAndOnlyOkEnterEscapeOrCloseEndIt) {
  const std::string report = "Exception EInOutError in module boglings at 0000E532.\nRead beyond end of file.";
  // Text, and the length of its longest line once wrapped.
  for (const auto& [text, longest] : {std::pair{report, 54}, {std::string(300, 'x') + " " + std::string(20, 'y'), 71}}) {
    ClearScreen();
    const SDL_Rect ok = DrawMessageBox("Application Error", text);
    EXPECT_NEAR(ok.x + ok.w / 2, 320, 1);
    EXPECT_GT(ok.y, 240);
    EXPECT_LT(ok.y + ok.h, 440);
    EXPECT_EQ(ScreenAt(ok.x + 2, ok.y + 2), OnScreen({200, 198, 192})) << "the button's face";
    EXPECT_EQ(ScreenAt(ok.x + ok.w, ok.y + 2), OnScreen({230, 228, 222})) << "the box round it";
    EXPECT_EQ(ScreenAt(ok.x + ok.w - 1, ok.y + 2), OnScreen({20, 20, 20})) << "the button's frame";
    EXPECT_EQ(ScreenAt(0, 240), Black);
    EXPECT_NE(ScreenAt(320 - 4 * longest - 1, ok.y), Black) << "wide enough for its longest line";
    EXPECT_EQ(ScreenAt(320, 480 - ok.y - ok.h - 2), OnScreen({60, 40, 90})) << "the title bar";
  }
  const SDL_Rect ok{300, 300, 64, 24};
  const auto event = [](Uint8 type, SDLKey key = SDLK_UNKNOWN) {
    SDL_Event made{};
    made.type = type;
    made.key.keysym.sym = key;
    return made;
  };
  const std::pair<SDL_Event, bool> rows[] = {
      {event(SDL_QUIT), true}, {event(SDL_KEYDOWN, SDLK_RETURN), true}, {event(SDL_KEYDOWN, SDLK_KP_ENTER), true},
      {event(SDL_KEYDOWN, SDLK_ESCAPE), true}, {event(SDL_KEYDOWN, SDLK_SPACE), false}, {event(SDL_KEYUP, SDLK_RETURN), false}};
  for (const auto& [e, closes] : rows) EXPECT_EQ(ClosesMessageBox(e, ok), closes) << int(e.type) << " " << e.key.keysym.sym;
  const std::tuple<int, int, Uint8, bool> presses[] = {{300, 300, SDL_BUTTON_LEFT, true}, {363, 323, SDL_BUTTON_LEFT, true},
      {364, 310, SDL_BUTTON_LEFT, false}, {299, 310, SDL_BUTTON_LEFT, false}, {320, 324, SDL_BUTTON_LEFT, false},
      {320, 299, SDL_BUTTON_LEFT, false}, {320, 310, SDL_BUTTON_RIGHT, false}};
  for (const auto& [x, y, button, closes] : presses) {
    SDL_Event press{};
    press.button = {SDL_MOUSEBUTTONDOWN, 0, button, SDL_PRESSED, Uint16(x), Uint16(y)};
    EXPECT_EQ(ClosesMessageBox(press, ok), closes) << x << "," << y;
  }
  ShowMessageBox("Application Error", report);  // no box on the dummy driver: it would wait for ever
  PushMotion(10, 10);
  PushButton(true, 5, 5);
  PushKey(SDLK_ESCAPE);
  PushMotion(20, 20);
  RunMessageBox("Application Error", report);
  SDL_Event next{};
  ASSERT_EQ(SDL_PollEvent(&next), 1) << "it stopped at the Escape and left the later event";
  EXPECT_EQ(next.motion.x, 20);
}
