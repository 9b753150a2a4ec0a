#include "media/LibMessageBox.h"

#include "media/LibGraphics.h"
#include "support/Headless.h"

class LibMessageBoxTest : public HeadlessTest {};

TEST_F(LibMessageBoxTest, TheBoxIsCentredFitsItsWrappedTextAndOnlyOkEnterEscapeOrCloseEndIt) {
  const std::string report = "Exception EInOutError in module boglings at 0000E532.\nRead beyond end of file.";
  // Text, and the length of its longest line once wrapped.
  for (const auto& [text, longest] : {std::pair{report, 54}, {std::string(300, 'x') + " " + std::string(20, 'y'), 71}}) {
    ClearScreen();
    const SDL_Rect ok = DrawMessageBox("Application Error", text);
    EXPECT_NEAR(ok.x + ok.w / 2, 320, 1);
    EXPECT_TRUE(ok.y > 240 && ok.y + ok.h < 440) << ok.y;
    // The button's face and frame, the box round it, its title bar, and room for the longest line.
    const std::pair<TPoint, Rgb> probes[] = {{{ok.x + 2, ok.y + 2}, {200, 198, 192}}, {{ok.x + ok.w - 1, ok.y + 2}, {20, 20, 20}},
        {{ok.x + ok.w, ok.y + 2}, {230, 228, 222}}, {{320, 480 - ok.y - ok.h - 2}, {60, 40, 90}}, {{0, 240}, Black},
        {{320 - 4 * longest - 1, ok.y}, {230, 228, 222}}};
    for (const auto& [at, colour] : probes) EXPECT_EQ(ScreenAt(at.X, at.Y), OnScreen(colour)) << at.X << "," << at.Y;
  }
  const SDL_Rect ok{300, 300, 64, 24};
  // Event type, key or button, and position; then whether it closes the box.
  const std::tuple<Uint8, int, int, int, bool> events[] = {{SDL_QUIT, 0, 0, 0, true}, {SDL_KEYDOWN, SDLK_RETURN, 0, 0, true},
      {SDL_KEYDOWN, SDLK_KP_ENTER, 0, 0, true}, {SDL_KEYDOWN, SDLK_ESCAPE, 0, 0, true}, {SDL_KEYDOWN, SDLK_SPACE, 0, 0, false},
      {SDL_KEYUP, SDLK_RETURN, 0, 0, false}, {SDL_MOUSEBUTTONDOWN, 1, 300, 300, true}, {SDL_MOUSEBUTTONDOWN, 1, 363, 323, true},
      {SDL_MOUSEBUTTONDOWN, 1, 364, 310, false}, {SDL_MOUSEBUTTONDOWN, 1, 299, 310, false}, {SDL_MOUSEBUTTONDOWN, 1, 320, 324, false},
      {SDL_MOUSEBUTTONDOWN, 1, 320, 299, false}, {SDL_MOUSEBUTTONDOWN, 3, 320, 310, false}, {SDL_MOUSEBUTTONUP, 1, 320, 310, false}};
  for (const auto& [type, which, x, y, closes] : events) {
    SDL_Event event{type};
    type == SDL_KEYDOWN || type == SDL_KEYUP ? void(event.key.keysym.sym = SDLKey(which))
                                             : void(event.button = {type, 0, Uint8(which), 0, Uint16(x), Uint16(y)});
    EXPECT_EQ(ClosesMessageBox(event, ok), closes) << int(type) << " " << which << " " << x << "," << y;
  }
  ShowMessageBox("Application Error", report);  // no box on the dummy driver: it would wait for ever
  PushMotion(10, 10);
  PushButton(true, 5, 5);
  SDL_Event escape{SDL_KEYDOWN};
  escape.key.keysym.sym = SDLK_ESCAPE;
  SDL_PushEvent(&escape);
  PushMotion(20, 20);
  RunMessageBox("Application Error", report);
  SDL_Event next{};
  ASSERT_EQ(SDL_PollEvent(&next), 1) << "it stopped at the Escape and left the later event";
  EXPECT_EQ(next.motion.x, 20);
}
