#pragma once
// Test support: a scratch working directory with tiny scrambled fixture assets, the real SDL
// opened headless, and helpers to read Screen and to feed real SDL events.

#include "media/MediaHandles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct Rgb {
  uint8_t R, G, B;
  bool operator==(const Rgb&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Rgb& colour);

constexpr Rgb Magenta{255, 0, 255};

// A fresh temporary directory made the working directory for the object's life, then removed.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& Path() const { return Dir; }

 private:
  std::filesystem::path Dir;
  std::filesystem::path Previous;
};

std::vector<uint8_t> ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes);
// Writes bytes scrambled as .dat files are.
void WriteDatFile(const std::filesystem::path& file, std::vector<uint8_t> plain);
// Cuts a file to half its length, as an interrupted copy would.
void HalveFile(const std::filesystem::path& file);
// In a forked child run as root: becomes the user nobody, for whom permission bits count (exit
// code 2 when it cannot).
void DropRootInChild();

// A 24-bit BMP of w by h pixels, every pixel produced by colourAt(x, y).
template <class ColourAt>
std::vector<uint8_t> MakeBmp(int w, int h, ColourAt colourAt);
std::vector<uint8_t> MakeSolidBmp(int w, int h, Rgb colour);
// A 16-bit stereo WAV at the mixer's rate holding frames sample frames of a quiet tone.
std::vector<uint8_t> MakeWav(int frames);
// The index-th 16-bit sample of a WAV whose data starts at byte 44.
inline int16_t WavSample(const std::vector<uint8_t>& wav, size_t index) {
  return static_cast<int16_t>(wav[44 + 2 * index] | wav[45 + 2 * index] << 8);
}

// Every picture and sound the game loads, as small fixtures in the working directory. Each picture
// is filled with FixtureColour(name); the font strip's cell g with FontCellColour(g) (cell 42
// transparent) and the digit strip's cell d with DigitCellColour(d).
void WriteFixtureAssets();
Rgb FixtureColour(const std::string& spriteName);
Rgb FontCellColour(int glyph);
Rgb DigitCellColour(int digit);
// The glyph or digit whose fixture colour this is, or -1.
int GlyphOfColour(Rgb colour);
int DigitOfColour(Rgb colour);

// Colour of a pixel of a surface of any depth (so each channel of a 16-bit one is rounded down).
Rgb PixelAt(const SDL_Surface& surface, int x, int y);
// Colour of a pixel of Screen.
Rgb ScreenAt(int x, int y);
// What a colour looks like after a round trip through Screen's pixel format.
Rgb OnScreen(Rgb colour);
// Fills Screen with black, as the main loop does before drawing.
void ClearScreen();

SDL_Event KeyEvent(SDLKey key);
SDL_Event ButtonEvent(bool pressed, int x, int y, Uint8 button = SDL_BUTTON_LEFT);
void PushMotion(int x, int y);
void PushButton(bool pressed, int x, int y, Uint8 button = SDL_BUTTON_LEFT);
void PushQuit();

// What action throws as E, or "nothing thrown".
template <class E = std::exception, class Action>
std::string ThrownMessage(Action action) {
  try {
    action();
  } catch (const E& failure) {
    if constexpr (requires { failure.Message(); }) return failure.Message();
    else return failure.what();
  }
  return "nothing thrown";
}

// Base fixture: scratch directory with fixture assets, the window (dummy driver) and the mixer.
class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Swaps the fixture assets for the generated ones, for tests that play long and want the
  // real pictures' cheap blits and the real sounds.
  void UseGeneratedAssets();

 private:
  std::unique_ptr<ScratchDir> Scratch;
};

template <class ColourAt>
std::vector<uint8_t> MakeBmp(int w, int h, ColourAt colourAt) {
  const int rowBytes = (w * 3 + 3) & ~3;
  const uint32_t pixelBytes = static_cast<uint32_t>(rowBytes * h);
  const uint32_t fileSize = 54 + pixelBytes;
  std::vector<uint8_t> bmp(fileSize, 0);
  auto put32 = [&](size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<uint8_t>(value >> (8 * i));
  };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put32(2, fileSize);
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(w));
  put32(22, static_cast<uint32_t>(h));
  bmp[26] = 1;
  bmp[28] = 24;
  put32(34, pixelBytes);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const Rgb c = colourAt(x, y);
      const size_t at = 54 + static_cast<size_t>(h - 1 - y) * rowBytes + x * 3;
      bmp[at] = c.B;
      bmp[at + 1] = c.G;
      bmp[at + 2] = c.R;
    }
  }
  return bmp;
}
