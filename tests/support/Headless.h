#pragma once
// The real SDL headless among fixture assets, each picture, glyph and digit in a colour of its own:
// a pixel of Screen tells what was drawn there.

#include "AssetFiles.h"
#include "game/LibBoard.h"
#include "game/LibRandom.h"
#include "media/LibFiles.h"
#include "media/LibGraphics.h"
#include "media/LibSound.h"
#include "support/Input.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;
using Cells = std::vector<TPoint>;  // (column, row)
struct Rgb {
  uint8_t R, G, B;
  bool operator==(const Rgb&) const = default;
  friend std::ostream& operator<<(std::ostream& out, Rgb c) { return out << +c.R << "," << +c.G << "," << +c.B; }
};
constexpr Rgb Black{0, 0, 0};

// Every test runs the real SDL headless unless it chose other drivers.
inline const bool HeadlessDrivers =
    setenv("SDL_VIDEODRIVER", "dummy", 0) == 0 && setenv("SDL_AUDIODRIVER", "dummy", 0) == 0;

// A fresh working directory for the object's life.
struct ScratchDir {
  fs::path Dir = fs::temp_directory_path() / "boglings-XXXXXX", Previous = fs::current_path();
  ScratchDir() { fs::current_path(Dir = mkdtemp(const_cast<char*>(Dir.c_str()))); }
  ~ScratchDir() {
    fs::current_path(Previous);
    std::error_code ignored;
    fs::permissions(Dir, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(Dir, ignored);
  }
};

inline Bytes ReadBytes(const fs::path& file) {
  return Bytes(std::istreambuf_iterator<char>(std::ifstream(file, std::ios::binary).rdbuf()), {});
}
inline void WriteBytes(const fs::path& file, const Bytes& bytes) {
  if (file.has_parent_path()) fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
}
inline void WriteDatFile(const fs::path& file, Bytes plain) {  // scrambled as the assets are
  Descramble(plain.data(), int32_t(plain.size()));
  WriteBytes(file, plain);
}
// In a forked child run as root: becomes nobody, for whom permission bits count.
inline void DropRootInChild() {
  if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) std::_Exit(2);
}

inline void Put(Bytes& bytes, std::initializer_list<uint32_t> words) {  // little-endian
  for (const uint32_t word : words)
    bytes.insert(bytes.end(), {uint8_t(word), uint8_t(word >> 8), uint8_t(word >> 16), uint8_t(word >> 24)});
}
inline Bytes MakeBmp(int w, int h, const std::function<Rgb(int x, int y)>& colourAt) {  // 24-bit
  const int rowBytes = (w * 3 + 3) & ~3;
  Bytes bmp = {'B', 'M'};
  Put(bmp, {54u + rowBytes * h, 0, 54, 40, uint32_t(w), uint32_t(h), 1 | 24 << 16});
  bmp.resize(54 + rowBytes * h);
  for (int i = 0; i < w * h; ++i) {
    const Rgb c = colourAt(i % w, i / w);
    std::ranges::copy(Bytes{c.B, c.G, c.R}, &bmp[54 + (h - 1 - i / w) * rowBytes + i % w * 3]);
  }
  return bmp;
}
inline Bytes MakeWav(int frames, uint32_t rate = 44100) {  // silent 16-bit stereo PCM
  Bytes wav = {'R', 'I', 'F', 'F'};
  // "WAVEfmt ", PCM in stereo, then "data".
  Put(wav, {36u + 4 * frames, 0x45564157, 0x20746d66, 16, 1 | 2 << 16, rate, rate * 4, 4 | 16 << 16, 0x61746164,
            4u * frames});
  wav.resize(wav.size() + 4 * frames);
  return wav;
}

struct TFixture {
  const char* Name;
  int W, H;
};
constexpr TFixture Pictures[] = {
    {"background", 640, 480}, {"hand", 16, 20},     {"title", 301, 121},     {"makerlogo", 200, 100}, {"ghost", 48, 48},
    {"pumpkin", 48, 48},      {"spider", 48, 48},   {"witcheshat", 48, 48},  {"bat", 48, 48},         {"cat", 48, 48},
    {"howtoplay", 180, 40},   {"newgame", 180, 40}, {"highscores", 180, 40}, {"credits", 180, 40},    {"exit", 180, 40},
    {"wand", 32, 32},         {"tiles", 32, 32},    {"score", 32, 32},       {"lives", 32, 32},       {"star", 9, 9},
    {"quit", 32, 32},         {"back", 64, 32},     {"paused", 448, 448},    {"mute", 26, 20}};
inline Rgb PictureColour(const std::string& name) {
  const auto index = std::ranges::find(Pictures, name, &TFixture::Name) - std::begin(Pictures);
  return {uint8_t(16 + 8 * index), uint8_t(252 - 8 * index), 64};
}
inline Rgb GlyphColour(int cell) {
  return cell == BlankGlyph ? Rgb{255, 0, 255} : Rgb{uint8_t(8 * (cell % 32)), uint8_t(64 * (cell / 32) + 32), 160};
}
inline Rgb DigitColour(int digit) { return {uint8_t(8 * digit + 8), 200, 8}; }

// Every picture and sound the game loads.
inline void WriteFixtureAssets() {
  for (const TFixture& p : Pictures)
    WriteDatFile(std::string("sprites/") + p.Name + ".dat",
                 MakeBmp(p.W, p.H, [&](int, int) { return PictureColour(p.Name); }));
  WriteDatFile("sprites/font.dat", MakeBmp(430, 16, [](int x, int) { return GlyphColour(x / 10); }));
  WriteDatFile("sprites/numbers.dat", MakeBmp(120, 20, [](int x, int) { return DigitColour(x / 12); }));
  for (const std::string_view file : AllAssetFiles)
    if (file.starts_with("sounds/")) WriteDatFile(file, MakeWav(441));
}
inline void UseGeneratedAssets() {
  for (const char* folder : {"sprites", "sounds"}) {
    fs::remove_all(folder);
    fs::create_directory_symlink(fs::path(BOGLINGS_GAME_DIR) / folder, folder);
  }
}

// How Screen shows a colour, picture, glyph or digit; what it shows at (x, y).
inline Rgb OnScreen(Rgb c) {
  SDL_GetRGB(SDL_MapRGB(Screen->format, c.R, c.G, c.B), Screen->format, &c.R, &c.G, &c.B);
  return c;
}
inline Rgb Shown(const std::string& picture) { return OnScreen(PictureColour(picture)); }
inline Rgb ShownGlyph(char c) { return OnScreen(GlyphColour(GlyphIndex(static_cast<unsigned char>(c)))); }
inline Rgb ScreenAt(int x, int y, const SDL_Surface* surface = Screen) {
  const int bytes = surface->format->BytesPerPixel;
  Uint32 pixel = 0;
  std::memcpy(&pixel, static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch + x * bytes, bytes);
  Rgb c{};
  SDL_GetRGB(pixel, surface->format, &c.R, &c.G, &c.B);
  return c;
}
inline void Expect(const std::vector<std::tuple<int, int, Rgb>>& probes, const SDL_Surface* surface = Screen) {
  for (const auto& [x, y, colour] : probes) EXPECT_EQ(ScreenAt(x, y, surface), colour) << "at " << x << "," << y;
}
// The text's glyph cells from (x, y), outer corners included: one pixel off fails.
inline void ExpectText(int x, int y, std::string_view text) {
  for (int i = 0; i < int(text.size()); ++i) {
    if (text[i] != ' ') {
      EXPECT_EQ(ScreenAt(x + 10 * i + 5, y + 8), ShownGlyph(text[i])) << text << " at " << i;
    }
  }
  if (text.empty()) return;
  EXPECT_EQ(ScreenAt(x, y), ShownGlyph(text.front())) << text;
  EXPECT_EQ(ScreenAt(x + 10 * int(text.size()) - 1, y + 15), ShownGlyph(text.back())) << text;
}

// Sounds through the real mixer: MarkChannel holds it with a silent loop on the channel; Plays counts
// the plays of what began there since by the bytes mixed to its end.
inline Mix_Chunk* Marker() {
  static uint8_t silence[400] = {};
  static Mix_Chunk* const marker = Mix_QuickLoad_RAW(silence, sizeof silence);
  return marker;
}
inline void MarkChannel(int channel) {
  Mix_PlayChannel(channel, Marker(), -1);
  SDL_LockAudio();
}
inline int Plays(int channel) {
  static std::atomic<int> bytes;
  bytes = 0;
  Mix_Chunk* const chunk = Mix_GetChunk(channel);
  if (chunk == Marker()) {  // nothing played there since
    SDL_UnlockAudio();
    return 0;
  }
  Mix_RegisterEffect(
      channel, [](int, void*, int length, void*) { bytes += length; }, nullptr, nullptr);
  SDL_UnlockAudio();
  for (int wait = 0; Mix_Playing(channel) && wait < 3000; ++wait) SDL_Delay(1);
  return bytes / chunk->alen;
}

// The board at rest with kinds (column + 2 row) mod 4, no line but kind 5 on the planted cells, runs
// marked; reseeds the generator, so what follows repeats.
inline void Settle(TBoard& board, const std::vector<TPoint>& planted = {}) {
  SetRandomSeed(7);
  for (int i = 0; i < CellCount; ++i) {
    TTile& tile = *board.Cell(i / 7, i % 7);
    tile.Y = tile.TargetY;
    tile.Kind = (i / 7 + 2 * (i % 7)) % 4;
  }
  for (const TPoint cell : planted) board.Cell(cell.X, cell.Y)->Kind = 5;
  board.MarkRuns();
}

class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFixtureAssets();
    InitGraphics(ScreenWidth, ScreenHeight, "Game");
    InitSound();
  }
  void TearDown() override {
    ShutdownSound();
    SDL_Quit();
  }
  ScratchDir Scratch;
};
