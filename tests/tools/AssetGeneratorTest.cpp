// The generated pictures and sounds, as the game and a player meet them.

#include "media/LibFiles.h"
#include "media/LibGraphics.h"
#include "media/LibSound.h"
#include "support/Headless.h"

#include <cmath>

class AssetGeneratorTest : public HeadlessTest {};

TEST_F(AssetGeneratorTest, EveryPictureLoadsAsASixteenBitSpriteOfAFittingSizeWithoutPinkFringes) {
  UseGeneratedAssets();
  // Name, then least and most width and height: what fits where the picture is drawn.
  const std::tuple<const char*, int, int, int, int> pictures[] = {{"background", 640, 640, 480, 480}, {"hand", 8, 40, 8, 40},
      {"font", 430, 430, 14, 18}, {"numbers", 120, 120, 18, 22}, {"title", 200, 480, 60, 140}, {"makerlogo", 100, 400, 60, 300},
      {"ghost", 30, 49, 30, 49}, {"pumpkin", 30, 49, 30, 49}, {"spider", 30, 49, 30, 49}, {"witcheshat", 30, 49, 30, 49},
      {"bat", 30, 49, 30, 49}, {"cat", 30, 49, 30, 49}, {"howtoplay", 40, 200, 20, 50}, {"newgame", 40, 200, 20, 50},
      {"highscores", 40, 200, 20, 50}, {"credits", 40, 200, 20, 50}, {"exit", 30, 200, 20, 50}, {"wand", 20, 32, 20, 32},
      {"tiles", 20, 32, 20, 32}, {"score", 20, 32, 20, 32}, {"lives", 20, 32, 20, 32}, {"star", 8, 12, 8, 12},
      {"quit", 32, 32, 32, 32}, {"back", 30, 100, 20, 80}};
  for (const auto& [name, minW, maxW, minH, maxH] : pictures) {
    const SurfacePtr picture = LoadSprite((std::string("sprites/") + name + ".dat").c_str());
    EXPECT_EQ(picture->format->BitsPerPixel, 16) << name;
    EXPECT_TRUE(picture->w >= minW && picture->w <= maxW && picture->h >= minH && picture->h <= maxH) << name;
    const Uint32 key = SDL_MapRGB(picture->format, 255, 0, 255);
    std::vector<int> inked(picture->w);
    int pink = 0, outsideRing = 0;
    for (int i = 0; i < picture->w * picture->h; ++i) {
      const int x = i % picture->w, y = i / picture->w;
      const Rgb c = PixelAt(*picture, x, y);
      if (SDL_MapRGB(picture->format, c.R, c.G, c.B) == key) continue;
      ++inked[x];
      pink += c.R - c.G >= 90 && c.B - c.G >= 90 && std::abs(c.R - c.B) <= 60;  // a blend towards the key
      outsideRing += std::hypot(x - picture->w / 2, y - picture->h / 2) > 24.0;
    }
    EXPECT_EQ(pink, 0) << name;
    EXPECT_TRUE(maxW != 49 || outsideRing == 0) << name << " must keep inside the selection ring";
    // Ink in every cell of the strips but the font's blank one.
    for (int cell = 0; name == std::string("font") && cell < 43; ++cell) {
      EXPECT_EQ(std::count(inked.begin() + 10 * cell, inked.begin() + 10 * cell + 10, 0) < 10, cell != 42) << cell;
    }
    for (int cell = 0; name == std::string("numbers") && cell < 10; ++cell) {
      EXPECT_LT(std::count(inked.begin() + 12 * cell, inked.begin() + 12 * cell + 12, 0), 12) << cell;
    }
  }
}

TEST_F(AssetGeneratorTest, EverySoundLoadsAsCleanStereoOfItsLength) {
  UseGeneratedAssets();
  const std::tuple<const char*, double, double> sounds[] = {{"music", 30, 60}, {"pop", 0.01, 0.1}, {"hit", 0.35, 0.7},
                                                            {"ghost", 1.5, 2.5}, {"score", 0.35, 0.7}, {"squeak", 0.2, 0.4}};
  for (const auto& [name, shortest, longest] : sounds) {
    const SoundPtr chunk = LoadSound((std::string("sounds/") + name + ".dat").c_str());
    ASSERT_NE(chunk, nullptr) << name;
    const auto* samples = reinterpret_cast<const int16_t*>(chunk->abuf);
    const size_t count = chunk->alen / 2;
    EXPECT_TRUE(count / 2 >= shortest * 44100 && count / 2 <= longest * 44100) << name;
    const int peak = std::abs(*std::max_element(samples, samples + count, [](int a, int b) { return std::abs(a) < std::abs(b); }));
    EXPECT_TRUE(peak > 26000 && peak < 32767) << name << ": about -1 dBFS, never clipped";
    for (const size_t i : {size_t{0}, size_t{1}, count - 2, count - 1}) EXPECT_LT(std::abs(samples[i]), 300) << name << " clicks";
  }
}

TEST_F(AssetGeneratorTest, SameSourcesGiveTheSameBytes) {
  const std::string tool = BOGLINGS_ASSETGEN, assets = std::string(BOGLINGS_SOURCE_DIR) + "/assets";
  for (const char* run : {"first", "second"}) ASSERT_EQ(std::system((tool + " " + assets + " " + run).c_str()), 0);
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator("first")) {
    files += entry.is_regular_file();
    if (entry.is_regular_file()) EXPECT_EQ(ReadBytes(entry.path()), ReadBytes("second" / relative(entry.path(), "first"))) << entry;
  }
  EXPECT_EQ(files, 30);
}
