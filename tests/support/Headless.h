#pragma once
// Test support: the real SDL opened headless in a scratch working directory that holds tiny
// fixture assets, each picture in a colour of its own (each font and digit cell too), so a pixel
// of Screen tells which picture or glyph was drawn there; and real SDL events for the real loop.

#include "game/LibBoard.h"
#include "media/MediaHandles.h"
#include "shell/LibGame.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;
struct Rgb {
  uint8_t R, G, B;
  bool operator==(const Rgb&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Rgb& colour);
constexpr Rgb Black{0, 0, 0};

// A fresh temporary directory, the working directory for the object's life, then removed.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  const std::filesystem::path& Path() const { return Dir; }

 private:
  std::filesystem::path Dir, Previous;
};

Bytes ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const Bytes& bytes);
void WriteDatFile(const std::filesystem::path& file, Bytes plain);  // scrambled as the game's assets
Bytes MakeBmp(int w, int h, const std::function<Rgb(int x, int y)>& colourAt);  // 24-bit
Bytes MakeWav(int frames, uint32_t rate = 44100);  // 16-bit stereo PCM, a quiet tone

// Every picture and sound the game loads, as fixtures in sprites/ and sounds/.
void WriteFixtureAssets();
// How Screen shows: the fixture picture of that name, a font glyph (the blank one is magenta,
// so never shown), a digit cell, any colour.
Rgb Shown(const std::string& sprite);
Rgb ShownGlyph(char character);
Rgb ShownDigit(int digit);
Rgb OnScreen(Rgb colour);
Rgb PixelAt(const SDL_Surface& surface, int x, int y);
Rgb ScreenAt(int x, int y);
void ClearScreen();  // black, as the frame loop clears it
// The characters whose glyph cells start at (x, y), x + 10, ...; ' ' where no glyph shows.
std::string TextAt(int x, int y, int length);
// Expects text in the fixture font from (x, y): every cell's glyph, and the first cell's top-left
// and the last cell's bottom-right pixel, so a line drawn one pixel off fails. Reads lower case.
void ExpectText(int x, int y, std::string_view text);

// Loops a silent chunk on the channel: another chunk there later means a sound played since.
void MarkChannel(int channel);
bool PlayedSince(int channel);

void PushMotion(int x, int y);
void PushButton(bool pressed, int x, int y, Uint8 button = SDL_BUTTON_LEFT);
void PushKey(SDLKey key);
void PushQuit();

// Whole frames of the real loop (no pause), and a player's hands on them.
void Frames(TGame& game, int count);
void Click(TGame& game, int x, int y);
struct TPoint {
  int X, Y;
};
void Drag(TGame& game, const std::vector<TPoint>& points);
TPoint CellCentre(int column, int row);
// Some straight line of three cells of equal kindAt(column, row), in drag order.
std::optional<std::vector<TPoint>> FindLine(const std::function<int(int, int)>& kindAt);
std::optional<std::vector<TPoint>> FindLine(const TBoard& board);

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

// A scratch directory with the fixture assets, the window (dummy driver) and the mixer.
class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Swaps the fixtures for the generated art and sound, for long play.
  void UseGeneratedAssets();

 private:
  std::unique_ptr<ScratchDir> Scratch;
};

// Records what a module reports, for one screen on its own.
class RecordingGame : public TGame {
 public:
  void Start() override {}
  void RequestQuit(int code) override { Reports.push_back("quit " + std::to_string(code)); }
  void ModuleFinished(TModule*) override { Reports.push_back("finished"); }
  void ModuleChoice(TModule*, int code) override { Reports.push_back("choice " + std::to_string(code)); }
  std::vector<std::string> Reports;
};
