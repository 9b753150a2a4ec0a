#include "media/LibFiles.h"

#include "media/LibErrors.h"
#include "media/LibGraphics.h"
#include "media/LibSound.h"
#include "support/Headless.h"

class LibFilesTest : public HeadlessTest {};

// Which files load as pictures and sounds; the fuzzers' findings are kept as rows.
TEST_F(LibFilesTest, OnlyWholeScrambledPicturesAndSafeWavsLoadAndTheRestNameTheirFile) {
  FileBuffer buffer;
  int32_t size = -1;
  WriteBytes("empty.dat", {});
  ASSERT_TRUE(LoadDatFile("empty.dat", buffer, size));
  EXPECT_EQ(std::pair(size, buffer.get()), std::pair(0, static_cast<uint8_t*>(nullptr)));
  const auto finding = [](const char* name) {
    const Bytes input = ReadBytes(std::string(BOGLINGS_SOURCE_DIR "/tests/fuzz/corpus/AssetFileFuzz/") + name);
    return Bytes(input.begin() + 1, input.end());
  };
  const auto wav = [](uint32_t rate, uint8_t channels, uint8_t bits, uint8_t encoding = 1) {
    Bytes made = MakeWav(64, rate);
    made[20] = encoding, made[22] = channels, made[34] = bits;
    return made;
  };
  const auto red = [](int, int) { return Rgb{255, 0, 0}; };
  Bytes listFirst = MakeWav(64), shortFormat = MakeWav(64);
  listFirst.insert(listFirst.begin() + 12, {'L', 'I', 'S', 'T', 4, 0, 0, 0, 'a', 'b', 'c', 'd'});
  shortFormat.resize(34);
  // File, bytes, whether scrambled, whether it loads.
  const std::tuple<const char*, Bytes, bool, bool> rows[] = {
      {"sprites/red.dat", MakeBmp(3, 2, red), true, true},
      {"sprites/plain.dat", MakeBmp(3, 2, red), false, false},
      {"sprites/empty.dat", {}, false, false},
      {"sprites/depth.dat", finding("crash-absurd-bit-count"), false, false},
      {"sounds/slow.dat", wav(22050, 2, 16), true, true},
      {"sounds/mono8.dat", wav(4000, 1, 8), true, true},
      {"sounds/fast.dat", wav(192001, 2, 16), true, false},
      {"sounds/rate.dat", finding("crash-extreme-sample-rate"), false, false},
      {"sounds/three.dat", wav(44100, 3, 16), true, false},
      {"sounds/twelve.dat", wav(44100, 2, 12), true, false},
      {"sounds/float.dat", wav(44100, 2, 16, 3), true, false},
      {"sounds/list.dat", listFirst, true, true},
      {"sounds/short.dat", shortFormat, true, false},
      {"sounds/plain.dat", MakeWav(10), false, false}};
  for (const auto& [file, bytes, scrambled, loads] : rows) {
    const bool picture = std::string(file).starts_with("sprites");
    scrambled ? WriteDatFile(file, bytes) : WriteBytes(file, bytes);
    std::string message = "loaded";
    try {
      picture ? void(LoadSprite(file)) : void(LoadSound(file));
    } catch (const Exception& failure) {
      message = failure.Message();
    }
    const std::string cause = std::string(picture ? "Cannot load picture " : "Cannot load sound ") + file + ": ";
    EXPECT_TRUE(loads ? message == "loaded" : message.starts_with(cause)) << file << ": " << message;
  }
}
