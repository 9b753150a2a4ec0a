#include "media/LibPresent.h"

#include "support/Headless.h"

using LibPresentTest = HeadlessTest;

// After each change of the window, a frame of the picture fills its place, a whole multiple centred
// on black; a pixel drawn later shows as its square alone.
TEST_F(LibPresentTest, WindowShowsThePictureByWholeStepsOnBlack) {
  // The change, then the window's size, the picture's scale and its corner.
  const std::tuple<std::function<void()>, int, int, int, TPoint> steps[] = {
      {[] {
         OpenGameScreen({640, 480}, {2560, 1440});
       },
       1280,
       960,
       2,
       {0, 0}},
      {ToggleFullscreen, 2560, 1440, 3, {320, 0}},
      {ToggleFullscreen, 1280, 960, 2, {0, 0}},
      {[] { ResizeWindow(800, 600); }, 800, 600, 1, {80, 60}},
      {[] { ResizeWindow(1400, 1000); }, 1400, 1000, 2, {60, 20}},
      {[] { ResizeWindow(640, 480); }, 640, 480, 1, {0, 0}}};
  for (const auto& [change, w, h, scale, corner] : steps) {
    change();
    const SDL_Surface* window = SDL_GetVideoSurface();
    ASSERT_EQ(std::pair(window->w, window->h), std::pair(w, h));
    SDL_FillRect(Screen, nullptr, SDL_MapRGB(Screen->format, 0, 0, 255));
    PresentScreen(Screen);
    SDL_Rect last{639, 479, 1, 1};
    SDL_FillRect(Screen, &last, SDL_MapRGB(Screen->format, 255, 0, 0));
    PresentScreen(Screen);
    const auto shown = [&](Rgb c) {  // the picture's colour in the window's format
      c = OnScreen(c);
      SDL_GetRGB(SDL_MapRGB(window->format, c.R, c.G, c.B), window->format, &c.R, &c.G, &c.B);
      return c;
    };
    const Rgb blue = shown({0, 0, 255}), red = shown({255, 0, 0});
    const int right = corner.X + 640 * scale - 1, bottom = corner.Y + 480 * scale - 1;
    const std::tuple<int, int, Rgb> probes[] = {{corner.X, corner.Y, blue},
                                                {right, bottom, red},
                                                {right + 1 - scale, bottom + 1 - scale, red},
                                                {right - scale, bottom, blue},
                                                {std::max(0, corner.X - 1), bottom, corner.X ? Black : blue},
                                                {right, std::min(h - 1, bottom + 1), bottom + 1 < h ? Black : red}};
    for (const auto& [x, y, colour] : probes) EXPECT_EQ(ScreenAt(x, y, window), colour) << w << ": " << x << "," << y;
  }
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  setenv("SDL_VIDEODRIVER", "none", 1);
  EXPECT_FALSE(OpenGameScreen({640, 480}, {0, 0})) << "no video: no mode";
  setenv("SDL_VIDEODRIVER", "dummy", 1);
}
