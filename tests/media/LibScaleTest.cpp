#include "media/LibScale.h"

#include <gtest/gtest.h>

// Display sizes as rows: the new window's scale, and the fullscreen picture's place, into which the
// display's points map back.
TEST(LibScaleTest, ScaleFitsTheDisplayAndPointsMapBack) {
  constexpr TSize Game{640, 480};
  const std::tuple<TSize, int, TPicturePlace> rows[] = {
      {{0, 0}, 1, {1, {0, 0}}},  // unknown, as on the web
      {{600, 400}, 1, {1, {0, 0}}},      {{800, 600}, 1, {1, {80, 60}}},   {{1280, 1024}, 1, {2, {0, 32}}},
      {{1920, 1080}, 1, {2, {320, 60}}}, {{2560, 1440}, 2, {3, {320, 0}}}, {{3840, 2160}, 3, {4, {640, 120}}},
  };
  for (const auto& [display, window, full] : rows) {
    EXPECT_EQ(WindowScale(Game, display), window) << display.W;
    EXPECT_EQ(FitPicture(Game, display), full) << display.W;
    const auto [s, c] = full;
    const auto at = [&](int x, int y) { return PicturePoint(full, Game, {c.X + x, c.Y + y}); };
    EXPECT_EQ(at(213 * s, 41 * s - 1), (TPoint{213, 40})) << "a pixel's whole square";
    EXPECT_EQ(at(213 * s - 1, 41 * s), (TPoint{212, 41}));
    EXPECT_EQ(at(-1, 480 * s), (TPoint{0, 479})) << "the border clamps onto the picture";
    EXPECT_EQ(at(640 * s, -c.Y - 1), (TPoint{639, 0}));
  }
}
