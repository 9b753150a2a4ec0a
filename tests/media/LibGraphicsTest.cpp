#include "media/LibGraphics.h"

#include "support/Headless.h"

using LibGraphicsTest = HeadlessTest;

TEST_F(LibGraphicsTest, WindowGlyphCellsAndColourKey) {
  EXPECT_EQ(Screen->format->BitsPerPixel, 16);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  std::vector<int> cells;  // the letters' and digits' first and last, the signs, then the blank cell's
  for (const char c : std::string_view("AZaz09.,!?@' \t-[`{/:\x80\xff")) cells.push_back(GlyphIndex(c));
  EXPECT_EQ(cells, std::vector({0, 25, 0, 25, 26, 35, 36, 37, 38, 39, 40, 41, 42, 42, 42, 42, 42, 42, 42, 42, 42, 42}));
  WriteDatFile("sprites/keyed.dat", MakeBmp(2, 1, [](int x, int) {
                 return Rgb{255, uint8_t(255 * x), uint8_t(255 - 255 * x)};
               }));
  FillBox(0, 0, 640, 480, 0, 0, 255);
  DrawSprite(LoadSprite("sprites/keyed.dat"), 10, 10);
  Expect({{10, 10, OnScreen({0, 0, 255})}, {11, 10, OnScreen({255, 255, 0})}});
}
