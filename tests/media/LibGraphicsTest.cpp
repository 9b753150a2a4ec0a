#include "media/LibGraphics.h"

#include "support/Headless.h"

class LibGraphicsTest : public HeadlessTest {};

TEST_F(LibGraphicsTest, TheSixteenBitWindowHidesThePointerCharactersHaveTheirGlyphCellsAndMagentaIsTransparent) {
  EXPECT_EQ(std::vector<int>({Screen->w, Screen->h, Screen->format->BitsPerPixel}), std::vector<int>({640, 480, 16}));
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  const std::pair<std::string_view, std::vector<int>> glyphs[] = {
      {"new high score!", {13, 4, 22, 42, 7, 8, 6, 7, 42, 18, 2, 14, 17, 4, 38}},
      {"It's Halloween", {8, 19, 41, 18, 42, 7, 0, 11, 11, 14, 22, 4, 4, 13}},
      {"AZaz09.,!?@'", {0, 25, 0, 25, 26, 35, 36, 37, 38, 39, 40, 41}}, {"\t-[`{/:\x80\xff", {42, 42, 42, 42, 42, 42, 42, 42, 42}}};
  for (const auto& [text, cells] : glyphs) {
    std::vector<int> got;
    for (const char c : text) got.push_back(GlyphIndex(static_cast<unsigned char>(c)));
    EXPECT_EQ(got, cells) << text;
  }
  WriteDatFile("sprites/keyed.dat", MakeBmp(2, 1, [](int x, int) { return x == 0 ? Rgb{255, 0, 255} : Rgb{0, 255, 0}; }));
  FillBox(0, 0, 640, 480, 0, 0, 255);
  DrawSprite(LoadSprite("sprites/keyed.dat"), 10, 10);
  Expect({{10, 10, OnScreen({0, 0, 255})}, {11, 10, OnScreen({0, 255, 0})}});
}
