// The generated pictures and sounds, read back as the game reads them.

#include "media/LibFiles.h"
#include "support/Headless.h"

#include <cmath>
#include <cstdlib>

namespace fs = std::filesystem;

namespace {

const fs::path GameDir = BOGLINGS_GAME_DIR;
constexpr Rgb Key{255, 0, 255};

SurfacePtr LoadPicture(const std::string& name) {
  return LoadBitmapDat((GameDir / "sprites" / (name + ".dat")).c_str());
}

bool IsKey(const SDL_Surface& picture, int x, int y) {
  const Rgb colour = PixelAt(picture, x, y);
  return colour.R >= 248 && colour.G <= 3 && colour.B >= 248;
}

}  // namespace

TEST(AssetGeneratorTest, PicturesAreSixteenBitOfSizesThatFitWhereTheyAreDrawnWithoutPinkFringes) {
  // Name, then least and most width and height.
  const std::tuple<const char*, int, int, int, int> pictures[] = {
      {"background", 640, 640, 480, 480}, {"hand", 8, 40, 8, 40}, {"font", 430, 430, 14, 18}, {"numbers", 120, 120, 18, 22},
      {"title", 200, 480, 60, 140}, {"makerlogo", 100, 400, 60, 300}, {"ghost", 30, 49, 30, 49}, {"pumpkin", 30, 49, 30, 49},
      {"spider", 30, 49, 30, 49}, {"witcheshat", 30, 49, 30, 49}, {"bat", 30, 49, 30, 49}, {"cat", 30, 49, 30, 49},
      {"howtoplay", 40, 200, 20, 50}, {"newgame", 40, 200, 20, 50}, {"highscores", 40, 200, 20, 50},
      {"credits", 40, 200, 20, 50}, {"exit", 30, 200, 20, 50}, {"wand", 20, 32, 20, 32}, {"tiles", 20, 32, 20, 32},
      {"score", 20, 32, 20, 32}, {"lives", 20, 32, 20, 32}, {"star", 8, 12, 8, 12}, {"quit", 32, 32, 32, 32},
      {"back", 30, 100, 20, 80}};
  for (const auto& [name, minW, maxW, minH, maxH] : pictures) {
    const SurfacePtr picture = LoadPicture(name);
    ASSERT_NE(picture, nullptr) << name << ": " << SDL_GetError();
    EXPECT_EQ(picture->format->BitsPerPixel, 16) << name;
    EXPECT_EQ(SDL_MapRGB(picture->format, Key.R, Key.G, Key.B), 0xF81Fu) << name;
    EXPECT_TRUE(picture->w >= minW && picture->w <= maxW && picture->h >= minH && picture->h <= maxH) << name;
    int pink = 0, inkOutsideRing = 0;
    for (int y = 0; y < picture->h; ++y) {
      for (int x = 0; x < picture->w; ++x) {
        const Rgb c = PixelAt(*picture, x, y);
        // A blend towards the key: red and blue alike, both well above green.
        pink += !IsKey(*picture, x, y) && c.R - c.G >= 90 && c.B - c.G >= 90 && std::abs(c.R - c.B) <= 60;
        inkOutsideRing += !IsKey(*picture, x, y) && std::hypot(x - picture->w / 2, y - picture->h / 2) > 24.0;
      }
    }
    EXPECT_EQ(pink, 0) << name;
    if (maxW == 49) {
      EXPECT_EQ(inkOutsideRing, 0) << name << " must keep inside the selection ring";
    }
  }
  EXPECT_FALSE(IsKey(*LoadPicture("hand"), 1, 1)) << "the hand points from its corner";
  // Ink in every cell of the strips but the font's blank one.
  const SurfacePtr font = LoadPicture("font"), digits = LoadPicture("numbers");
  const auto inked = [](const SDL_Surface& strip, int cell, int width) {
    for (int y = 0; y < strip.h; ++y)
      for (int x = cell * width; x < (cell + 1) * width; ++x)
        if (!IsKey(strip, x, y)) return true;
    return false;
  };
  for (int glyph = 0; glyph < 43; ++glyph) EXPECT_EQ(inked(*font, glyph, 10), glyph != 42) << glyph;
  for (int digit = 0; digit < 10; ++digit) EXPECT_TRUE(inked(*digits, digit, 12)) << digit;
}

TEST(AssetGeneratorTest, SoundsAreCleanStereoInTheMixersFormatAndLengths) {
  ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
  ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 4096), 0) << Mix_GetError();
  const std::tuple<const char*, double, double> sounds[] = {{"music", 30, 60}, {"pop", 0.01, 0.1}, {"hit", 0.35, 0.7},
                                                            {"ghost", 1.5, 2.5}, {"score", 0.35, 0.7}, {"squeak", 0.2, 0.4}};
  for (const auto& [name, shortest, longest] : sounds) {
    Bytes wav = ReadBytes(GameDir / "sounds" / (std::string(name) + ".dat"));
    Descramble(wav.data(), static_cast<int32_t>(wav.size()));
    ASSERT_GT(wav.size(), 44u) << name;
    Bytes header = MakeWav(static_cast<int>(wav.size() - 44) / 4);
    EXPECT_TRUE(std::equal(header.begin(), header.begin() + 44, wav.begin())) << name << ": 16-bit stereo PCM at 44100 Hz";
    const size_t samples = (wav.size() - 44) / 2;
    const auto sample = [&](size_t i) { return std::abs(static_cast<int16_t>(wav[44 + 2 * i] | wav[45 + 2 * i] << 8)); };
    EXPECT_TRUE(samples / 2 >= shortest * 44100 && samples / 2 <= longest * 44100) << name;
    int peak = 0;
    for (size_t i = 0; i < samples; ++i) peak = std::max(peak, sample(i));
    EXPECT_TRUE(peak > 26000 && peak < 32767) << name << ": about -1 dBFS, never clipped";
    for (const size_t i : {size_t{0}, size_t{1}, samples - 2, samples - 1}) EXPECT_LT(sample(i), 300) << name << " clicks";
    Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size())), 1);
    EXPECT_NE(chunk, nullptr) << Mix_GetError();
    Mix_FreeChunk(chunk);
  }
  Mix_CloseAudio();
  SDL_Quit();
}

TEST(AssetGeneratorTest, SameSourcesGiveTheSameBytes) {
  ScratchDir scratch;
  const std::string tool = BOGLINGS_ASSETGEN, assets = std::string(BOGLINGS_SOURCE_DIR) + "/assets";
  for (const char* run : {"first", "second"}) ASSERT_EQ(std::system((tool + " " + assets + " " + run).c_str()), 0);
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator("first")) {
    if (!entry.is_regular_file()) continue;
    ++files;
    EXPECT_EQ(ReadBytes(entry.path()), ReadBytes("second" / fs::relative(entry.path(), "first"))) << entry.path();
  }
  EXPECT_EQ(files, 30);
}
