#include "media/LibChanges.h"

#include "media/MediaHandles.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

// Pixels changed on a picture of distinct pixels, as rows, and the bands that must be handed on:
// every changed pixel inside one, columns and rows no wider than the changes, and nothing the second
// time round.
TEST(LibChangesTest, BandsHoldExactlyWhatChanged) {
  using TBand = std::tuple<int, int, int, int>;
  const std::pair<std::vector<std::pair<int, int>>, std::vector<TBand>> rows[] = {
      {{}, {}},
      {{{0, 0}}, {{0, 0, 1, 1}}},
      {{{639, 479}}, {{639, 479, 1, 1}}},
      {{{5, 3}, {9, 4}}, {{5, 3, 5, 2}}},  // rows that follow each other: one band over both
      {{{5, 3}, {9, 5}}, {{5, 3, 1, 1}, {9, 5, 1, 1}}},
      {{{3, 7}, {300, 7}, {301, 7}}, {{3, 7, 299, 1}}},
  };
  for (const auto& [changed, expected] : rows) {
    SurfacePtr picture(SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, 16, 0xF800, 0x07E0, 0x001F, 0));
    ASSERT_TRUE(picture);
    const auto pixel = [&](int x, int y) -> Uint16& {
      return reinterpret_cast<Uint16*>(static_cast<Uint8*>(picture->pixels) + y * picture->pitch)[x];
    };
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) pixel(x, y) = static_cast<Uint16>(x * 7 + y);
    }
    std::vector<uint8_t> shown;
    EXPECT_EQ(ChangedBands(*picture, shown, false).size(), 1u) << "a first frame is shown whole";
    for (const auto& [x, y] : changed) pixel(x, y) ^= 0x0101;
    std::vector<TBand> bands;
    for (const SDL_Rect& band : ChangedBands(*picture, shown, false))
      bands.emplace_back(band.x, band.y, band.w, band.h);
    EXPECT_EQ(bands, expected) << changed.size() << " changed";
    EXPECT_TRUE(ChangedBands(*picture, shown, false).empty()) << "the copy keeps what was shown";
  }
}
