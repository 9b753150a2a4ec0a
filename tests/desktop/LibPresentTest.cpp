#include "media/LibPresent.h"

#include "support/Headless.h"

using LibPresentTest = HeadlessTest;

// After each change of the window, a frame of the picture fills its place, a whole multiple centred
// on black; a pixel drawn later shows as its square alone.
TEST_F(LibPresentTest, WindowShowsThePictureByWholeStepsOnBlack) {
  OpenGameScreen({640, 480}, {2560, 1440});
  // The window (fullscreen, back, resized), the picture's scale and corner.
  const std::tuple<int, int, int, TPoint> windows[] = {
      {1280, 960, 2, {0, 0}},    {2560, 1440, 3, {320, 0}}, {1280, 960, 2, {0, 0}}, {800, 600, 1, {80, 60}},
      {800, 1000, 1, {80, 260}}, {1400, 1000, 2, {60, 20}}, {640, 480, 1, {0, 0}}};
  for (const auto& [w, h, scale, corner] : windows) {
    const SDL_Surface* window = SDL_GetVideoSurface();
    window->w == 2560 || w == 2560 ? ToggleFullscreen() : ResizeWindow(w, h);
    window = SDL_GetVideoSurface();
    ASSERT_EQ(std::pair(window->w, window->h), std::pair(w, h));
    const auto draw = [&](SDL_Rect* area, Rgb c) {  // and what the window shows of that colour
      SDL_FillRect(Screen, area, SDL_MapRGB(Screen->format, c.R, c.G, c.B));
      PresentScreen(Screen);
      c = OnScreen(c);
      SDL_GetRGB(SDL_MapRGB(window->format, c.R, c.G, c.B), window->format, &c.R, &c.G, &c.B);
      return c;
    };
    SDL_Rect last{639, 479, 1, 1};
    const Rgb blue = draw(nullptr, {0, 0, 255}), red = draw(&last, {255, 0, 0});
    const int right = corner.X + 640 * scale - 1, bottom = corner.Y + 480 * scale - 1;
    Expect({{corner.X, corner.Y, blue},
            {right, bottom, red},
            {right + 1 - scale, bottom + 1 - scale, red},
            {right - scale, bottom, blue},
            {std::max(0, corner.X - 1), bottom, corner.X ? Black : blue},
            {std::min(w - 1, right + 1), bottom, right + 1 < w ? Black : red},
            {right, std::min(h - 1, bottom + 1), bottom + 1 < h ? Black : red}},
           window);
  }
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  setenv("SDL_VIDEODRIVER", "none", 1);
  EXPECT_FALSE(OpenGameScreen({640, 480}, {0, 0})) << "no video: no mode";
  setenv("SDL_VIDEODRIVER", "dummy", 1);
}
