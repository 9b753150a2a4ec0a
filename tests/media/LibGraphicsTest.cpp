#include "media/LibGraphics.h"

#include "support/Headless.h"

#include <cstdlib>
#include <cstring>

class LibGraphicsTest : public HeadlessTest {
 protected:
  // A solid picture of its own, loaded as every sprite is.
  SurfacePtr MakeSprite(int w, int h, Rgb colour) {
    WriteDatFile("sprites/made.dat", MakeSolidBmp(w, h, colour));
    return LoadSprite("sprites/made.dat");
  }
  std::vector<int> GlyphsOf(std::string_view text) {
    std::vector<int> glyphs;
    for (char c : text) glyphs.push_back(GlyphIndex(static_cast<unsigned char>(c)));
    return glyphs;
  }
};

TEST_F(LibGraphicsTest, WindowIsSixteenBitWithCaptionCentredAndNoPointer) {
  ASSERT_NE(Screen, nullptr);
  EXPECT_EQ(Screen->w, 640);
  EXPECT_EQ(Screen->h, 480);
  EXPECT_EQ(Screen->format->BitsPerPixel, 16);
  char* title = nullptr;
  char* icon = nullptr;
  SDL_WM_GetCaption(&title, &icon);
  EXPECT_STREQ(title, "Game");
  EXPECT_STREQ(std::getenv("SDL_VIDEO_CENTERED"), "1");
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
}

TEST_F(LibGraphicsTest, GlyphTableMapsLowerCaseAndPunctuationAndBlanksTheRest) {
  EXPECT_EQ(GlyphsOf("new high score!"), (std::vector<int>{13, 4, 22, 42, 7, 8, 6, 7, 42, 18, 2, 14, 17, 4, 38}));
  EXPECT_EQ(GlyphsOf("It's Halloween"), (std::vector<int>{8, 19, 41, 18, 42, 7, 0, 11, 11, 14, 22, 4, 4, 13}));
  EXPECT_EQ(GlyphsOf("go.,3?@"), (std::vector<int>{6, 14, 36, 37, 29, 39, 40}));
  EXPECT_EQ(GlyphsOf("\t-\x80\xff"), (std::vector<int>{42, 42, 42, 42}));
}

TEST_F(LibGraphicsTest, TextAdvancesOneCellPerCharacterSpacesIncluded) {
  const SurfacePtr font = LoadSprite("sprites/font.dat");
  ClearScreen();
  DrawText(font, FontGlyphWidth, 100, 50, "Ab 3.");
  const std::vector<int> expected = {0, 1, -1, 29, 36};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(GlyphOfColour(ScreenAt(100 + 10 * i, 50)), expected[i]) << "character " << i;
    EXPECT_EQ(GlyphOfColour(ScreenAt(109 + 10 * i, 65)), expected[i]) << "character " << i;
  }
  EXPECT_EQ(ScreenAt(150, 50), Rgb{});  // ends at x + 10n - 1
  EXPECT_EQ(ScreenAt(99, 50), Rgb{});
  EXPECT_EQ(ScreenAt(100, 66), Rgb{});  // the strip's height
}

TEST_F(LibGraphicsTest, NumbersAreUnsignedDecimalWithoutPadding) {
  const SurfacePtr digits = LoadSprite("sprites/numbers.dat");
  const auto readDigits = [](int x, int count) {
    std::string read;
    for (int i = 0; i < count; ++i) read += static_cast<char>('0' + DigitOfColour(ScreenAt(x + 12 * i + 6, 5)));
    return read;
  };
  ClearScreen();
  DrawNumber(digits, DigitGlyphWidth, 0, 0, 0);
  EXPECT_EQ(readDigits(0, 1), "0");
  EXPECT_EQ(ScreenAt(12, 5), Rgb{});
  DrawNumber(digits, DigitGlyphWidth, 100, 0, 120);
  EXPECT_EQ(readDigits(100, 3), "120");
  EXPECT_EQ(ScreenAt(136, 5), Rgb{});
  DrawNumber(digits, DigitGlyphWidth, 200, 0, 4294967295u);
  EXPECT_EQ(readDigits(200, 10), "4294967295");
}

TEST_F(LibGraphicsTest, CentredSpritesLeanLeftAndUpWhenEven) {
  struct Case {
    int W, H, X, Y;
    std::vector<std::pair<int, int>> Inked, Blank;
  };
  const Case cases[] = {{5, 5, 100, 100, {{98, 98}, {102, 102}}, {{97, 100}, {103, 100}}},
                        {4, 4, 100, 100, {{98, 98}, {101, 101}}, {{102, 100}}},
                        {64, 33, 40, 330, {{8, 314}}, {{7, 314}, {8, 313}}}};
  for (const Case& c : cases) {
    ClearScreen();
    DrawSpriteCentred(MakeSprite(c.W, c.H, {200, 40, 40}), c.X, c.Y);
    for (auto [x, y] : c.Inked) EXPECT_EQ(ScreenAt(x, y), OnScreen({200, 40, 40})) << c.W << "x" << c.H << " " << x << "," << y;
    for (auto [x, y] : c.Blank) EXPECT_EQ(ScreenAt(x, y), Rgb{}) << c.W << "x" << c.H << " " << x << "," << y;
  }
}

TEST_F(LibGraphicsTest, MagentaIsTransparent) {
  WriteDatFile("sprites/keyed.dat", MakeBmp(2, 1, [](int x, int) { return x == 0 ? Magenta : Rgb{0, 255, 0}; }));
  const SurfacePtr keyed = LoadSprite("sprites/keyed.dat");
  FillBox(0, 0, 640, 480, 0, 0, 255);
  DrawSprite(keyed, 10, 10);
  EXPECT_EQ(ScreenAt(10, 10), OnScreen({0, 0, 255}));
  EXPECT_EQ(ScreenAt(11, 10), OnScreen({0, 255, 0}));
}

TEST_F(LibGraphicsTest, BoxesAndDotsFillExactlyTheirPixels) {
  ClearScreen();
  DrawDot(10, 10, 255, 255, 0);
  const Rgb yellow = OnScreen({255, 255, 0});
  EXPECT_EQ(ScreenAt(9, 9), yellow);
  EXPECT_EQ(ScreenAt(11, 11), yellow);
  EXPECT_EQ(ScreenAt(8, 10), Rgb{});
  EXPECT_EQ(ScreenAt(12, 10), Rgb{});

  FillBox(100, 100, 0, 8, 255, 255, 0);
  FillBox(100, 100, 8, 0, 255, 255, 0);
  EXPECT_EQ(ScreenAt(100, 100), Rgb{});
}
