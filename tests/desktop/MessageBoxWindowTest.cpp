#include "desktop/MessageBoxWindow.h"

#include "media/LibMessageBox.h"

#include "support/Headless.h"

using MessageBoxWindowTest = HeadlessTest;

// That the box waits for these in a real window is the X-server journey's.
TEST_F(MessageBoxWindowTest, OnlyOkEnterEscapeOrCloseEndIt) {
  SDL_FillRect(Screen, nullptr, 0);
  const SDL_Rect ok = DrawMessageBox("Error", "Exception EInOutError in module boglings.\nRead beyond end of file.");
  EXPECT_EQ(std::tuple(ok.x, ok.y, ok.w, ok.h), std::tuple(288, 259, 64, 24)) << "centred below the text";
  // The frame's corners and one past them, the title bar, the first letters of the title, the text's
  // two lines and the button's.
  const Rgb frame = OnScreen({20, 20, 20}), title = OnScreen({60, 40, 90}), body = OnScreen({230, 228, 222});
  Expect({{140, 181, frame},
          {499, 298, frame},
          {500, 298, Black},
          {499, 299, Black},
          {141, 202, title},
          {141, 203, body},
          {148, 188, OnScreen({255, 255, 255})},
          {156, 219, Black},
          {156, 231, Black},
          {155, 231, body},
          {288, 282, frame},
          {289, 260, OnScreen({200, 198, 192})},
          {313, 267, Black}});
  EXPECT_EQ(DrawMessageBox("Error", std::string(300, 'x') + " " + std::string(20, 'y')).y, 277) << "five lines";
  SDL_Event event{SDL_QUIT};
  EXPECT_TRUE(ClosesMessageBox(event, ok));
  for (const SDLKey key : {SDLK_RETURN, SDLK_KP_ENTER, SDLK_ESCAPE, SDLK_a}) {
    event = {.key = {SDL_KEYDOWN, 0, 0, {0, key, KMOD_NONE, 0}}};
    EXPECT_EQ(ClosesMessageBox(event, ok), key != SDLK_a) << key;
  }
  // Button, position, whether it closes the box.
  const std::tuple<int, int, int, bool> presses[] = {{1, 288, 259, true},  {1, 351, 282, true},  {1, 352, 270, false},
                                                     {1, 287, 270, false}, {1, 300, 283, false}, {1, 300, 258, false},
                                                     {3, 300, 270, false}};
  for (const auto& [button, x, y, closes] : presses) {
    event = {.button = {SDL_MOUSEBUTTONDOWN, 0, Uint8(button), 0, Uint16(x), Uint16(y)}};
    EXPECT_EQ(ClosesMessageBox(event, ok), closes) << button << " " << x << "," << y;
  }
}
