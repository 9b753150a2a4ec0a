// Inputs the fuzzers found that once crashed the game, each refused now with an error naming the
// file. The bytes are the fuzzer's own, kept in its corpus.

#include "media/LibErrors.h"
#include "media/LibGraphics.h"
#include "media/LibSound.h"
#include "support/Headless.h"

#include <functional>

namespace {

// Writes a fuzz input (a leading selector byte, then the .dat bytes) as an asset file.
void WriteFinding(const char* finding, const std::string& asset) {
  const std::vector<uint8_t> input = ReadBytes(std::string(BOGLINGS_SOURCE_DIR "/tests/fuzz/corpus/AssetFileFuzz/") + finding);
  WriteBytes(asset, std::vector<uint8_t>(input.begin() + 1, input.end()));
}

}  // namespace

class FuzzFindingsTest : public HeadlessTest {
 protected:
  void ExpectRefusedByName(const std::string& asset, const std::function<void()>& load) {
    try {
      load();
      ADD_FAILURE() << asset << " must not load";
    } catch (const EMediaError& failure) {
      EXPECT_NE(failure.Message().find(asset + ": "), std::string::npos) << failure.Message();
    }
  }
};

// A 600 MHz sample rate overran SDL's table of conversion steps; a 4353-bit pixel overran ours.
TEST_F(FuzzFindingsTest, AbsurdSampleRatesAndPixelDepthsAreRefused) {
  WriteFinding("crash-extreme-sample-rate", "sounds/rate.dat");
  ExpectRefusedByName("sounds/rate.dat", [] { LoadSound("sounds/rate.dat"); });
  WriteFinding("crash-absurd-bit-count", "sprites/depth.dat");
  ExpectRefusedByName("sprites/depth.dat", [] { LoadSprite("sprites/depth.dat"); });
}
