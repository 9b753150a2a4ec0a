#include "media/LibGraphics.h"

#include "support/Headless.h"

class LibGraphicsTest : public HeadlessTest {
 protected:
  // A picture of its own, loaded as every sprite is.
  SurfacePtr MakeSprite(int w, int h, const std::function<Rgb(int, int)>& colourAt) {
    WriteDatFile("sprites/made.dat", MakeBmp(w, h, colourAt));
    return LoadSprite("sprites/made.dat");
  }
};

TEST_F(LibGraphicsTest, WindowIsSixteenBitWithCaptionCentredAndNoPointer) {
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

TEST_F(LibGraphicsTest, EveryCharacterHasItsGlyphCell) {
  const std::pair<std::string_view, std::vector<int>> rows[] = {
      {"new high score!", {13, 4, 22, 42, 7, 8, 6, 7, 42, 18, 2, 14, 17, 4, 38}},
      {"It's Halloween", {8, 19, 41, 18, 42, 7, 0, 11, 11, 14, 22, 4, 4, 13}},
      {"AZaz09.,!?@'", {0, 25, 0, 25, 26, 35, 36, 37, 38, 39, 40, 41}},
      {"\t-[`{/:\x80\xff", {42, 42, 42, 42, 42, 42, 42, 42, 42}}};
  for (const auto& [text, glyphs] : rows) {
    std::vector<int> got;
    for (const char c : text) got.push_back(GlyphIndex(static_cast<unsigned char>(c)));
    EXPECT_EQ(got, glyphs) << text;
  }
}

TEST_F(LibGraphicsTest, TextAndNumbersAdvanceOneCellPerCharacter) {
  const SurfacePtr font = LoadSprite("sprites/font.dat"), digits = LoadSprite("sprites/numbers.dat");
  ClearScreen();
  DrawText(font, FontGlyphWidth, 100, 50, "Ab 3.");
  ExpectText(100, 50, "Ab 3.");
  EXPECT_EQ(ScreenAt(125, 50), Black) << "the blank glyph is transparent";
  EXPECT_EQ(ScreenAt(150, 50), Black);
  EXPECT_EQ(ScreenAt(100, 66), Black);
  DrawText(font, FontGlyphWidth, 630, 0, "xyz");  // clipped at the edge, never wrapped
  EXPECT_EQ(ScreenAt(639, 0), ShownGlyph('x'));
  EXPECT_EQ(ScreenAt(0, 0), Black);
  const std::tuple<int, uint32_t, std::string> numbers[] = {{0, 0, "0"}, {100, 120, "120"}, {200, 4294967295u, "4294967295"}};
  for (const auto& [x, value, shown] : numbers) {
    DrawNumber(digits, DigitGlyphWidth, x, 200, value);
    for (size_t i = 0; i < shown.size(); ++i) {
      EXPECT_EQ(ScreenAt(x + 12 * int(i), 200), ShownDigit(shown[i] - '0')) << shown;
      EXPECT_EQ(ScreenAt(x + 12 * int(i) + 11, 219), ShownDigit(shown[i] - '0')) << shown;
    }
    EXPECT_EQ(ScreenAt(x + 12 * int(shown.size()), 200), Black) << shown;
  }
}

TEST_F(LibGraphicsTest, SpritesBoxesAndDotsCoverExactlyTheirPixels) {
  const Rgb red = OnScreen({200, 40, 40}), blue = OnScreen({0, 0, 255});
  const auto solid = [](int, int) { return Rgb{200, 40, 40}; };
  // Size and centre, then pixels it covers and pixels it leaves.
  const std::tuple<int, int, int, int, std::vector<TPoint>, std::vector<TPoint>> centred[] = {
      {5, 5, 100, 100, {{98, 98}, {102, 102}}, {{97, 100}, {103, 100}, {100, 97}, {100, 103}}},
      {4, 4, 100, 100, {{98, 98}, {101, 101}}, {{102, 100}, {100, 102}, {97, 100}}},
      {64, 33, 40, 330, {{8, 314}, {71, 346}}, {{7, 314}, {8, 313}, {72, 346}, {71, 347}}}};
  for (const auto& [w, h, x, y, covered, left] : centred) {
    ClearScreen();
    DrawSpriteCentred(MakeSprite(w, h, solid), x, y);
    for (const TPoint p : covered) EXPECT_EQ(ScreenAt(p.X, p.Y), red) << w << "x" << h << " at " << p.X << "," << p.Y;
    for (const TPoint p : left) EXPECT_EQ(ScreenAt(p.X, p.Y), Black) << w << "x" << h << " at " << p.X << "," << p.Y;
  }
  FillBox(0, 0, 640, 480, 0, 0, 255);
  DrawSprite(MakeSprite(2, 1, [](int x, int) { return x == 0 ? Rgb{255, 0, 255} : Rgb{0, 255, 0}; }), 10, 10);
  EXPECT_EQ(ScreenAt(10, 10), blue) << "magenta is transparent";
  EXPECT_EQ(ScreenAt(11, 10), OnScreen({0, 255, 0}));
  DrawDot(10, 20, 255, 255, 0);
  for (const TPoint p : {TPoint{9, 19}, {11, 21}}) EXPECT_EQ(ScreenAt(p.X, p.Y), OnScreen({255, 255, 0}));
  for (const TPoint p : {TPoint{8, 20}, {12, 20}, {10, 18}, {10, 22}}) EXPECT_EQ(ScreenAt(p.X, p.Y), blue);
  FillBox(100, 100, 0, 8, 255, 255, 0);
  FillBox(100, 100, 8, 0, 255, 255, 0);
  EXPECT_EQ(ScreenAt(100, 100), blue);
}
