#include "media/LibGraphics.h"

#include "support/Headless.h"

class LibGraphicsTest : public HeadlessTest {};

TEST_F(LibGraphicsTest, TheWindowIsSixteenBitWithItsCaptionCentredAndNoPointer) {
  EXPECT_EQ(std::vector<int>({Screen->w, Screen->h, Screen->format->BitsPerPixel}), std::vector<int>({640, 480, 16}));
  char *title = nullptr, *icon = nullptr;
  SDL_WM_GetCaption(&title, &icon);
  EXPECT_STREQ(title, "Game");
  EXPECT_STREQ(std::getenv("SDL_VIDEO_CENTERED"), "1");
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
}

TEST_F(LibGraphicsTest, TextAndNumbersTakeOneCellPerCharacter) {
  const std::pair<std::string_view, std::vector<int>> glyphs[] = {
      {"new high score!", {13, 4, 22, 42, 7, 8, 6, 7, 42, 18, 2, 14, 17, 4, 38}},
      {"It's Halloween", {8, 19, 41, 18, 42, 7, 0, 11, 11, 14, 22, 4, 4, 13}},
      {"AZaz09.,!?@'", {0, 25, 0, 25, 26, 35, 36, 37, 38, 39, 40, 41}}, {"\t-[`{/:\x80\xff", {42, 42, 42, 42, 42, 42, 42, 42, 42}}};
  for (const auto& [text, cells] : glyphs) {
    std::vector<int> got;
    for (const char c : text) got.push_back(GlyphIndex(static_cast<unsigned char>(c)));
    EXPECT_EQ(got, cells) << text;
  }
  const SurfacePtr font = LoadSprite("sprites/font.dat"), digits = LoadSprite("sprites/numbers.dat");
  ClearScreen();
  DrawText(font, FontGlyphWidth, 100, 50, "Ab 3.");
  ExpectText(100, 50, "Ab 3.");
  EXPECT_EQ(ScreenAt(125, 50), Black) << "the blank cell is transparent";
  EXPECT_EQ(ScreenAt(100, 66), Black);
  DrawText(font, FontGlyphWidth, 630, 0, "xy");  // clipped at the edge, never wrapped
  EXPECT_EQ(std::pair(ScreenAt(639, 0), ScreenAt(0, 0)), std::pair(ShownGlyph('x'), Black));
  for (const auto& [x, value] : {std::pair{0, 0u}, {100, 120u}, {200, 4294967295u}}) {
    DrawNumber(digits, DigitGlyphWidth, x, 200, value);
    const std::string shown = std::to_string(value);
    for (int i = 0; i < int(shown.size()); ++i) {
      EXPECT_EQ(std::pair(ScreenAt(x + 12 * i, 200), ScreenAt(x + 12 * i + 11, 219)), std::pair(ShownDigit(shown[i] - '0'), ShownDigit(shown[i] - '0')));
    }
    EXPECT_EQ(ScreenAt(x + 12 * int(shown.size()), 200), Black) << shown;
  }
}

TEST_F(LibGraphicsTest, SpritesBoxesAndDotsCoverExactlyTheirPixels) {
  const auto sprite = [](int w, int h, const std::function<Rgb(int, int)>& colourAt) {
    WriteDatFile("sprites/made.dat", MakeBmp(w, h, colourAt));
    return LoadSprite("sprites/made.dat");
  };
  // Size and centre, then pixels it covers and pixels it leaves.
  const std::tuple<int, int, int, int, std::vector<TPoint>, std::vector<TPoint>> centred[] = {
      {5, 5, 100, 100, {{98, 98}, {102, 102}}, {{97, 100}, {103, 100}, {100, 97}, {100, 103}}},
      {4, 4, 100, 100, {{98, 98}, {101, 101}}, {{102, 100}, {100, 102}, {97, 100}}},
      {64, 33, 40, 330, {{8, 314}, {71, 346}}, {{7, 314}, {8, 313}, {72, 346}, {71, 347}}}};
  for (const auto& [w, h, x, y, covered, left] : centred) {
    ClearScreen();
    DrawSpriteCentred(sprite(w, h, [](int, int) { return Rgb{200, 40, 40}; }), x, y);
    for (const TPoint p : covered) EXPECT_EQ(ScreenAt(p.X, p.Y), OnScreen({200, 40, 40})) << w << "x" << h << " " << p.X << "," << p.Y;
    for (const TPoint p : left) EXPECT_EQ(ScreenAt(p.X, p.Y), Black) << w << "x" << h << " " << p.X << "," << p.Y;
  }
  const Rgb blue = OnScreen({0, 0, 255});
  FillBox(0, 0, 640, 480, 0, 0, 255);
  DrawSprite(sprite(2, 1, [](int x, int) { return x == 0 ? Rgb{255, 0, 255} : Rgb{0, 255, 0}; }), 10, 10);
  EXPECT_EQ(std::pair(ScreenAt(10, 10), ScreenAt(11, 10)), std::pair(blue, OnScreen({0, 255, 0}))) << "magenta is transparent";
  DrawDot(10, 20, 255, 255, 0);
  FillBox(100, 100, 0, 8, 255, 255, 0);
  FillBox(100, 100, 8, 0, 255, 255, 0);
  for (const TPoint p : {TPoint{9, 19}, {11, 21}}) EXPECT_EQ(ScreenAt(p.X, p.Y), OnScreen({255, 255, 0}));
  for (const TPoint p : {TPoint{8, 20}, {12, 20}, {10, 18}, {10, 22}, {100, 100}}) EXPECT_EQ(ScreenAt(p.X, p.Y), blue);
}
