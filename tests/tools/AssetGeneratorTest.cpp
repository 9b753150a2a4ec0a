// The generated pictures and sounds, read back the way the game reads them.

#include "media/LibFiles.h"
#include "support/Headless.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

const fs::path GameDir = BOGLINGS_GAME_DIR;
constexpr Uint16 Key565 = 0xF81F;

struct Limits {
  const char* Name;
  int MinW, MaxW, MinH, MaxH;
};

// Sizes that follow from where each picture is drawn.
constexpr Limits PictureLimits[] = {
    {"background", 640, 640, 480, 480}, {"hand", 8, 40, 8, 40},        {"font", 430, 430, 14, 18},
    {"numbers", 120, 120, 18, 22},      {"title", 200, 480, 60, 140},   {"makerlogo", 100, 400, 60, 300},
    {"ghost", 30, 49, 30, 49},          {"pumpkin", 30, 49, 30, 49},    {"spider", 30, 49, 30, 49},
    {"witcheshat", 30, 49, 30, 49},     {"bat", 30, 49, 30, 49},        {"cat", 30, 49, 30, 49},
    {"howtoplay", 40, 200, 20, 50},     {"newgame", 40, 200, 20, 50},   {"highscores", 40, 200, 20, 50},
    {"credits", 40, 200, 20, 50},       {"exit", 30, 200, 20, 50},      {"wand", 20, 32, 20, 32},
    {"tiles", 20, 32, 20, 32},          {"score", 20, 32, 20, 32},      {"lives", 20, 32, 20, 32},
    {"star", 8, 12, 8, 12},             {"quit", 32, 32, 32, 32},       {"back", 30, 100, 20, 80},
    {"icon", 32, 32, 32, 32},
};
constexpr const char* TileNames[] = {"pumpkin", "ghost", "spider", "witcheshat", "bat", "cat"};

struct SoundLimits {
  const char* Name;
  double MinSeconds, MaxSeconds;
};
constexpr SoundLimits SoundLengths[] = {{"music", 30, 60}, {"pop", 0.01, 0.1},  {"hit", 0.35, 0.7},
                                        {"ghost", 1.5, 2.5}, {"score", 0.35, 0.7}, {"squeak", 0.2, 0.4}};

std::vector<uint8_t> Plain(const fs::path& file) {
  std::vector<uint8_t> bytes = ReadBytes(file);
  Descramble(bytes.data(), static_cast<int32_t>(bytes.size()));
  return bytes;
}

SurfacePtr LoadPicture(const std::string& name) {
  const std::vector<uint8_t> bmp = Plain(GameDir / "sprites" / (name + ".dat"));
  return SurfacePtr(SDL_LoadBMP_RW(SDL_RWFromConstMem(bmp.data(), static_cast<int>(bmp.size())), 1));
}

Uint16 PixelAt(const SDL_Surface* surface, int x, int y) {
  return *reinterpret_cast<const Uint16*>(static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch + x * 2);
}

// Visible pixels that are a blend towards the key: red and blue alike, both well above green.
// None of the art's own purples and pinks is that far from green on both sides.
int PinkPixels(const SDL_Surface* picture) {
  int pink = 0;
  for (int y = 0; y < picture->h; ++y)
    for (int x = 0; x < picture->w; ++x) {
      const Uint16 pixel = PixelAt(picture, x, y);
      Uint8 r = 0, g = 0, b = 0;
      SDL_GetRGB(pixel, picture->format, &r, &g, &b);
      pink += pixel != Key565 && r - g >= 90 && b - g >= 90 && std::abs(r - b) <= 60;
    }
  return pink;
}

bool CellHasInk(const SDL_Surface* strip, int cell, int width) {
  for (int y = 0; y < strip->h; ++y)
    for (int x = cell * width; x < (cell + 1) * width; ++x)
      if (PixelAt(strip, x, y) != Key565) return true;
  return false;
}

uint32_t Read32(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

}  // namespace

TEST(AssetGeneratorTest, PicturesLoadAsSixteenBitSpritesOfTheirSize) {
  for (const Limits& limits : PictureLimits) {
    SCOPED_TRACE(limits.Name);
    SurfacePtr picture = LoadPicture(limits.Name);
    ASSERT_NE(picture, nullptr) << SDL_GetError();
    EXPECT_EQ(picture->format->BitsPerPixel, 16);
    EXPECT_EQ(SDL_MapRGB(picture->format, 255, 0, 255), Key565);
    EXPECT_GE(picture->w, limits.MinW);
    EXPECT_LE(picture->w, limits.MaxW);
    EXPECT_GE(picture->h, limits.MinH);
    EXPECT_LE(picture->h, limits.MaxH);
    EXPECT_EQ(PinkPixels(picture.get()), 0);
  }
  SurfacePtr back = LoadPicture("back");
  EXPECT_LE(540 + back->w, 640);
  EXPECT_LE(400 + back->h, 480);
}

TEST(AssetGeneratorTest, TilesKeepInsideTheSelectionRingAndTheHandPointsFromItsCorner) {
  for (const char* name : TileNames) {
    SCOPED_TRACE(name);
    SurfacePtr tile = LoadPicture(name);
    ASSERT_NE(tile, nullptr);
    int opaque = 0;
    // DrawSpriteCentred puts pixel (w div 2, h div 2) on the disc's centre.
    for (int y = 0; y < tile->h; ++y)
      for (int x = 0; x < tile->w; ++x) {
        if (PixelAt(tile.get(), x, y) == Key565) continue;
        ++opaque;
        EXPECT_LE(std::hypot(x - tile->w / 2, y - tile->h / 2), 24.0) << x << "," << y;
      }
    EXPECT_GT(opaque, 600);
  }
  SurfacePtr hand = LoadPicture("hand");
  EXPECT_NE(PixelAt(hand.get(), 1, 1), Key565);
}

TEST(AssetGeneratorTest, StripsHaveInkInEveryCellButTheFontsSpace) {
  SurfacePtr font = LoadPicture("font");
  for (int glyph = 0; glyph < 42; ++glyph) EXPECT_TRUE(CellHasInk(font.get(), glyph, 10)) << glyph;
  EXPECT_FALSE(CellHasInk(font.get(), 42, 10));
  SurfacePtr digits = LoadPicture("numbers");
  for (int digit = 0; digit < 10; ++digit) EXPECT_TRUE(CellHasInk(digits.get(), digit, 12)) << digit;
}

TEST(AssetGeneratorTest, SoundsAreCleanStereoInTheMixersFormat) {
  ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
  ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 4096), 0) << Mix_GetError();
  for (const SoundLimits& limits : SoundLengths) {
    SCOPED_TRACE(limits.Name);
    const std::vector<uint8_t> wav = Plain(GameDir / "sounds" / (std::string(limits.Name) + ".dat"));
    ASSERT_GT(wav.size(), 44u);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(Read32(wav, 20), 0x00020001u);  // PCM, 2 channels
    EXPECT_EQ(Read32(wav, 24), 44100u);
    EXPECT_EQ(Read32(wav, 32) >> 16, 16u);  // bits per sample
    const size_t samples = (wav.size() - 44) / 2;
    EXPECT_EQ(Read32(wav, 40), samples * 2);
    const double seconds = samples / 2 / 44100.0;
    EXPECT_GE(seconds, limits.MinSeconds);
    EXPECT_LE(seconds, limits.MaxSeconds);
    int peak = 0;
    for (size_t i = 0; i < samples; ++i) peak = std::max(peak, std::abs(static_cast<int>(WavSample(wav, i))));
    EXPECT_LT(peak, 32767);
    EXPECT_GT(peak, 26000);  // about -1 dBFS
    for (size_t i : {size_t{0}, size_t{1}, samples - 2, samples - 1}) EXPECT_LT(std::abs(WavSample(wav, i)), 300) << i;
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
  for (const char* run : {"first", "second"})
    ASSERT_EQ(std::system((tool + " " + assets + " " + (scratch.Path() / run).string()).c_str()), 0);
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(scratch.Path() / "first")) {
    if (!entry.is_regular_file()) continue;
    ++files;
    const fs::path twin = scratch.Path() / "second" / fs::relative(entry.path(), scratch.Path() / "first");
    EXPECT_EQ(ReadBytes(entry.path()), ReadBytes(twin)) << twin;
  }
  EXPECT_EQ(files, 31);
}
