// The generator's picture pieces: flattening soft edges, 5-6-5 BMP files, glyph strips.

#include "assetgen/Canvas.h"
#include "assetgen/DatFile.h"
#include "assetgen/Picture.h"
#include "assetgen/PixelFont.h"
#include "support/Headless.h"

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

namespace ag = assetgen;

namespace {

void PaintPixel(cairo_t* cr, int x, double r, double g, double b, double a) {
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_rgba(cr, r, g, b, a);
  cairo_rectangle(cr, x, 0, 1, 1);
  cairo_fill(cr);
}

constexpr char GlyphFile[] = R"(# two-cell test strip
strip tiny 4 5 1 1
order AB
cells 3
colours FF0000 0000FF 00FF00

glyph A
.#
##
)";

}  // namespace

TEST(AssetPictureTest, FlatteningKeysFaintPixelsAndBlendsEdgesIntoTheBackdrop) {
  ag::Canvas canvas(6, 1);
  PaintPixel(canvas.Cr(), 1, 1, 0, 0, 1);
  PaintPixel(canvas.Cr(), 2, 1, 0, 0, 0.5);
  PaintPixel(canvas.Cr(), 3, 1, 0, 0, 0.3);  // below the threshold
  PaintPixel(canvas.Cr(), 4, 1, 0, 1, 1);    // opaque magenta must stay visible
  PaintPixel(canvas.Cr(), 5, 252 / 255.0, 1 / 255.0, 253 / 255.0, 1);  // rounds onto the key
  const ag::Picture picture = ag::Flatten("test", canvas.Surface(), ag::SolidBackdrop({0, 0, 255}));
  EXPECT_EQ(picture.At(0, 0), ag::KeyPixel);
  EXPECT_EQ(picture.At(1, 0), ag::Pack565({255, 0, 0}));
  EXPECT_EQ(picture.At(2, 0), ag::Pack565({128, 0, 127}));
  EXPECT_EQ(picture.At(3, 0), ag::KeyPixel);
  EXPECT_EQ(picture.At(4, 0), 0xF83F);
  EXPECT_EQ(picture.At(5, 0), 0xF83F);
}

TEST(AssetPictureTest, BmpRowsArePaddedStoredBottomUpAndReadBackBySdl) {
  const ag::Picture picture{"test", 3, 2, {0x0001, 0x0002, 0x0003, 0xF800, 0x07E0, ag::KeyPixel}};
  const std::vector<uint8_t> bmp = ag::EncodeBmp(picture);
  ASSERT_EQ(bmp.size(), 66u + 2 * 8);  // 6 bytes of pixels padded to 8 per row
  EXPECT_EQ(bmp[10], 66);
  EXPECT_EQ(bmp[28], 16);
  EXPECT_EQ(bmp[30], 3);  // BI_BITFIELDS
  EXPECT_EQ(bmp[66], 0x00);  // bottom row first: 0xF800 little-endian
  EXPECT_EQ(bmp[67], 0xF8);
  SurfacePtr surface(SDL_LoadBMP_RW(SDL_RWFromConstMem(bmp.data(), static_cast<int>(bmp.size())), 1));
  ASSERT_NE(surface, nullptr) << SDL_GetError();
  EXPECT_EQ(surface->format->Rmask, 0xF800u);
  EXPECT_EQ(surface->format->Gmask, 0x07E0u);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(reinterpret_cast<Uint16*>(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch)[x], picture.At(x, y));
}

TEST(AssetPictureTest, ClearingOutsideARadiusKeepsTheDiscOnly) {
  ag::Picture picture{"disc", 5, 5, std::vector<uint16_t>(25, 0x1234)};
  ag::ClearOutsideRadius(picture, 2, 2, 2);
  EXPECT_EQ(picture.At(2, 0), 0x1234);
  EXPECT_EQ(picture.At(0, 2), 0x1234);
  EXPECT_EQ(picture.At(1, 0), ag::KeyPixel);
  EXPECT_EQ(picture.At(0, 0), ag::KeyPixel);
  EXPECT_EQ(picture.At(3, 3), 0x1234);
}

TEST(AssetPictureTest, GlyphsGetTheirGradientOutlineAndShadowInsideTheirOwnCell) {
  ScratchDir scratch;
  std::ofstream("glyphs.txt") << GlyphFile;
  const std::vector<ag::Picture> strips = ag::MakeGlyphStrips("glyphs.txt");
  ASSERT_EQ(strips.size(), 1u);
  const ag::Picture& strip = strips[0];
  EXPECT_EQ(strip.Name, "tiny");
  EXPECT_EQ(strip.Width, 12);
  EXPECT_EQ(strip.Height, 5);
  EXPECT_EQ(strip.At(2, 1), ag::Pack565({255, 0, 0}));  // top row of ink
  EXPECT_EQ(strip.At(1, 2), ag::Pack565({0, 0, 255}));  // bottom row of ink
  EXPECT_EQ(strip.At(1, 1), ag::Pack565({0, 255, 0}));  // outline beside the ink
  EXPECT_EQ(strip.At(3, 4), ag::Pack565({0, 127, 0}));  // shadow, down and right
  for (int y = 0; y < strip.Height; ++y)
    for (int x = 4; x < strip.Width; ++x) EXPECT_EQ(strip.At(x, y), ag::KeyPixel) << x << "," << y;
}

TEST(AssetPictureTest, MalformedGlyphFilesNameTheirFault) {
  ScratchDir scratch;
  std::ofstream("unknown.txt") << GlyphFile << "glyph C\n##\n";
  EXPECT_NE(ThrownMessage([] { ag::MakeGlyphStrips("unknown.txt"); }).find("glyph 'C'"), std::string::npos);
  std::ofstream("garbled.txt") << GlyphFile << "colour FFFFFF\n";
  EXPECT_NE(ThrownMessage([] { ag::MakeGlyphStrips("garbled.txt"); }).find("garbled.txt:10:"), std::string::npos);
  EXPECT_NE(ThrownMessage([] { ag::MakeGlyphStrips("missing.txt"); }).find("missing.txt"), std::string::npos);
}

TEST(AssetPictureTest, DatFilesHoldTheScrambledBytes) {
  ScratchDir scratch;
  std::vector<uint8_t> plain(600);
  for (size_t i = 0; i < plain.size(); ++i) plain[i] = static_cast<uint8_t>(i * 7);
  ag::WriteDat("out.dat", plain);
  const std::vector<uint8_t> stored = ReadBytes("out.dat");
  ASSERT_EQ(stored.size(), plain.size());
  for (size_t i : {size_t{0}, size_t{255}, size_t{256}, size_t{513}}) EXPECT_EQ(stored[i], plain[i] ^ (i % 256)) << i;
  EXPECT_THROW(ag::WriteDat("no/such/dir/out.dat", plain), std::runtime_error);
}
