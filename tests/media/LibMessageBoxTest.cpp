#include "media/LibMessageBox.h"

#include "support/Headless.h"

class LibMessageBoxTest : public HeadlessTest {};

// That the box waits for these in a real window is the X-server journey's.
TEST_F(LibMessageBoxTest, OnlyOkEnterEscapeOrTheCloseRequestEndTheBox) {
  const SDL_Rect ok = DrawMessageBox("Application Error",
                                     "Exception EInOutError in module boglings at 0000E532.\nRead beyond end of file.");
  EXPECT_EQ(std::vector<int>({ok.x, ok.y, ok.w, ok.h}), std::vector<int>({288, 259, 64, 24}))
      << "centred below the text";
  const SDL_Rect wrapped =
      DrawMessageBox("Application Error", std::string(300, 'x') + " " + std::string(20, 'y'));  // five lines
  EXPECT_EQ(std::vector<int>({wrapped.x, wrapped.y, wrapped.w, wrapped.h}), std::vector<int>({288, 277, 64, 24}));
  // Event type, key or button, and position; then whether it closes the box.
  const std::tuple<Uint8, int, int, int, bool> events[] = {{SDL_QUIT, 0, 0, 0, true},
                                                           {SDL_KEYDOWN, SDLK_RETURN, 0, 0, true},
                                                           {SDL_KEYDOWN, SDLK_KP_ENTER, 0, 0, true},
                                                           {SDL_KEYDOWN, SDLK_ESCAPE, 0, 0, true},
                                                           {SDL_KEYDOWN, SDLK_SPACE, 0, 0, false},
                                                           {SDL_KEYUP, SDLK_RETURN, 0, 0, false},
                                                           {SDL_MOUSEBUTTONDOWN, 1, 288, 259, true},
                                                           {SDL_MOUSEBUTTONDOWN, 1, 351, 282, true},
                                                           {SDL_MOUSEBUTTONDOWN, 1, 352, 270, false},
                                                           {SDL_MOUSEBUTTONDOWN, 1, 287, 270, false},
                                                           {SDL_MOUSEBUTTONDOWN, 1, 300, 283, false},
                                                           {SDL_MOUSEBUTTONDOWN, 1, 300, 258, false},
                                                           {SDL_MOUSEBUTTONDOWN, 3, 300, 270, false},
                                                           {SDL_MOUSEBUTTONUP, 1, 300, 270, false}};
  for (const auto& [type, which, x, y, closes] : events) {
    SDL_Event event{type};
    type == SDL_KEYDOWN || type == SDL_KEYUP ? void(event.key.keysym.sym = SDLKey(which))
                                             : void(event.button = {type, 0, Uint8(which), 0, Uint16(x), Uint16(y)});
    EXPECT_EQ(ClosesMessageBox(event, ok), closes) << int(type) << " " << which << " " << x << "," << y;
  }
}
