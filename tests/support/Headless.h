#pragma once
// The real SDL headless in a scratch folder of tiny fixture assets, each picture, glyph and digit
// in a colour of its own, so a pixel of Screen tells what was drawn there.

#include "game/LibBoard.h"
#include "media/MediaHandles.h"
#include "support/Input.h"

#include <gtest/gtest.h>

#include <filesystem>

using Bytes = std::vector<uint8_t>;
struct Rgb {
  uint8_t R, G, B;
  bool operator==(const Rgb&) const = default;
  friend std::ostream& operator<<(std::ostream& out, Rgb c) { return out << +c.R << "," << +c.G << "," << +c.B; }
};
constexpr Rgb Black{0, 0, 0};

// A fresh temporary directory, the working directory for the object's life.
struct ScratchDir {
  ScratchDir();
  ~ScratchDir();
  std::filesystem::path Dir, Previous;
};
Bytes ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const Bytes& bytes);
void WriteDatFile(const std::filesystem::path& file, Bytes plain);  // scrambled as the assets are
// In a forked child run as root: becomes nobody, for whom permission bits count (else exit code 2).
void DropRootInChild();
Bytes MakeBmp(int w, int h, const std::function<Rgb(int x, int y)>& colourAt);  // 24-bit
Bytes MakeWav(int frames, uint32_t rate = 44100);                               // 16-bit stereo PCM
void WriteFixtureAssets();  // every picture and sound the game loads
void UseGeneratedAssets();  // links to the build's own instead

// How Screen shows a fixture picture, glyph, digit cell or any colour; what it shows at (x, y).
Rgb Shown(const std::string& picture);
Rgb ShownGlyph(char character);
Rgb ShownDigit(int digit);
Rgb OnScreen(Rgb colour);
Rgb ScreenAt(int x, int y);
void Expect(const std::vector<std::tuple<int, int, Rgb>>& probes);
// The text's glyph cells from (x, y), their outer corners included: a line one pixel off fails.
void ExpectText(int x, int y, std::string_view text);

// Loops a silent chunk on the channel: any other chunk there later means a sound played since.
void MarkChannel(int channel);
bool PlayedSince(int channel);

// The board at rest with kinds (column + 2 row) mod 4, no line of three but kind 5 on the planted
// cells (column, row), and its runs marked; reseeds the generator, so what follows repeats.
void Settle(TBoard& board, const std::vector<TPoint>& planted = {});

// A scratch directory with the fixture assets, the window and the mixer.
class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::optional<ScratchDir> Scratch;
};
