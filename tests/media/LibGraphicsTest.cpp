#include "media/LibGraphics.h"

#include "support/Headless.h"

class LibGraphicsTest : public HeadlessTest {};

TEST_F(LibGraphicsTest, TheSixteenBitWindowHidesThePointerCharactersHaveTheirGlyphCellsAndMagentaIsTransparent) {
  EXPECT_EQ(std::vector<int>({Screen->w, Screen->h, Screen->format->BitsPerPixel}), std::vector<int>({640, 480, 16}));
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  std::vector<int> cells;  // the letters' and digits' first and last, the signs, then what falls in the blank cell
  for (const char c : std::string_view("AZaz09.,!?@' \t-[`{/:\x80\xff"))
    cells.push_back(GlyphIndex(static_cast<unsigned char>(c)));
  EXPECT_EQ(cells,
            std::vector<int>({0, 25, 0, 25, 26, 35, 36, 37, 38, 39, 40, 41, 42, 42, 42, 42, 42, 42, 42, 42, 42, 42}));
  WriteDatFile("sprites/keyed.dat", MakeBmp(2, 1, [](int x, int) {
                 return x == 0 ? Rgb{255, 0, 255} : Rgb{0, 255, 0};
               }));
  FillBox(0, 0, 640, 480, 0, 0, 255);
  DrawSprite(LoadSprite("sprites/keyed.dat"), 10, 10);
  Expect({{10, 10, OnScreen({0, 0, 255})}, {11, 10, OnScreen({0, 255, 0})}});
}
