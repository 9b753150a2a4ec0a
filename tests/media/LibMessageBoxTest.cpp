#include "media/LibMessageBox.h"

#include "support/Headless.h"

class LibMessageBoxTest : public HeadlessTest {};

// That the box waits for these in a real window is the X-server journey's.
TEST_F(LibMessageBoxTest, OnlyOkEnterEscapeOrTheCloseRequestEndTheBox) {
  const SDL_Rect ok = DrawMessageBox("Error", "Exception EInOutError in module boglings.\nRead beyond end of file.");
  EXPECT_EQ(std::tuple(ok.x, ok.y, ok.w, ok.h), std::tuple(288, 259, 64, 24)) << "centred below the text";
  EXPECT_EQ(DrawMessageBox("Error", std::string(300, 'x') + " " + std::string(20, 'y')).y, 277) << "five lines";
  // Event type, key or button, and position; then whether it closes the box.
  const std::tuple<Uint8, int, int, int, bool> events[] = {
      {SDL_QUIT, 0, 0, 0, true},
      {SDL_KEYDOWN, SDLK_RETURN, 0, 0, true},
      {SDL_KEYDOWN, SDLK_KP_ENTER, 0, 0, true},
      {SDL_KEYDOWN, SDLK_ESCAPE, 0, 0, true},
      {SDL_MOUSEBUTTONDOWN, 1, 288, 259, true},
      {SDL_MOUSEBUTTONDOWN, 1, 351, 282, true},
      {SDL_MOUSEBUTTONDOWN, 1, 352, 270, false},
      {SDL_MOUSEBUTTONDOWN, 1, 287, 270, false},
      {SDL_MOUSEBUTTONDOWN, 1, 300, 283, false},
      {SDL_MOUSEBUTTONDOWN, 1, 300, 258, false},
      {SDL_MOUSEBUTTONDOWN, 3, 300, 270, false},
  };
  for (const auto& [type, which, x, y, closes] : events) {
    SDL_Event event{.button = {type, 0, Uint8(which), 0, Uint16(x), Uint16(y)}};
    if (type == SDL_KEYDOWN) event.key.keysym.sym = SDLKey(which);
    EXPECT_EQ(ClosesMessageBox(event, ok), closes) << which << " " << x << "," << y;
  }
}
