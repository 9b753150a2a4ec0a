#include "media/LibFiles.h"

#include "media/LibErrors.h"
#include "media/LibGraphics.h"
#include "media/LibSound.h"
#include "support/Headless.h"

TEST(LibFilesTest, DatFilesAreDescrambledByOffsetAndReadWhole) {
  Bytes bytes(600, 0);
  Descramble(bytes.data(), 600);
  EXPECT_EQ(bytes[255], 255);
  EXPECT_EQ(bytes[256], 0);
  EXPECT_EQ(bytes[513], 1);
  Descramble(bytes.data(), 600);
  EXPECT_EQ(bytes, Bytes(600, 0)) << "its own inverse";

  ScratchDir scratch;
  WriteDatFile("a.dat", {1, 2, 3});
  FileBuffer buffer;
  int32_t size = -1;
  ASSERT_TRUE(LoadDatFile("a.dat", buffer, size));
  EXPECT_EQ(Bytes(buffer.get(), buffer.get() + size), (Bytes{1, 2, 3}));
  WriteBytes("empty.dat", {});
  ASSERT_TRUE(LoadDatFile("empty.dat", buffer, size));
  EXPECT_EQ(size, 0);
  EXPECT_EQ(buffer, nullptr);
  size = 77;
  EXPECT_FALSE(LoadDatFile("missing.dat", buffer, size));
  EXPECT_EQ(size, 77);
}

class LibFilesAssetTest : public HeadlessTest {};

// Which files load as pictures and sounds; the fuzzers' findings are kept as rows.
TEST_F(LibFilesAssetTest, OnlyScrambledPicturesAndSafeWavsLoadAndTheRestNameTheirFile) {
  const auto finding = [](const char* name) {
    const Bytes input = ReadBytes(std::string(BOGLINGS_SOURCE_DIR "/tests/fuzz/corpus/AssetFileFuzz/") + name);
    return Bytes(input.begin() + 1, input.end());
  };
  const auto wav = [](uint32_t rate, uint16_t channels, uint16_t bits, uint16_t encoding = 1) {
    Bytes made = MakeWav(64, rate);
    made[20] = static_cast<uint8_t>(encoding), made[22] = static_cast<uint8_t>(channels), made[34] = static_cast<uint8_t>(bits);
    return made;
  };
  Bytes listChunkFirst = MakeWav(64);
  listChunkFirst.insert(listChunkFirst.begin() + 12, {'L', 'I', 'S', 'T', 4, 0, 0, 0, 'a', 'b', 'c', 'd'});
  Bytes fortyBits = MakeBmp(6, 2, [](int, int) { return Rgb{255, 0, 0}; });
  fortyBits[28] = 40;
  Bytes truncatedFormat = MakeWav(64);
  truncatedFormat.resize(34);
  // File, bytes, scrambled, loads.
  const std::tuple<const char*, Bytes, bool, bool> rows[] = {
      {"sprites/red.dat", MakeBmp(3, 2, [](int, int) { return Rgb{255, 0, 0}; }), true, true},
      {"sprites/plain.dat", MakeBmp(3, 2, [](int, int) { return Rgb{255, 0, 0}; }), false, false},
      {"sprites/empty.dat", {}, false, false},
      {"sprites/depth.dat", finding("crash-absurd-bit-count"), false, false},  // a 4353-bit pixel
      {"sprites/forty.dat", fortyBits, true, false},
      {"sounds/slow.dat", wav(22050, 2, 16), true, true},
      {"sounds/mono8.dat", wav(4000, 1, 8), true, true},
      {"sounds/fast.dat", wav(192001, 2, 16), true, false},
      {"sounds/rate.dat", finding("crash-extreme-sample-rate"), false, false},  // overran SDL's converter
      {"sounds/three.dat", wav(44100, 3, 16), true, false},
      {"sounds/twelve.dat", wav(44100, 2, 12), true, false},
      {"sounds/float.dat", wav(44100, 2, 16, 3), true, false},
      {"sounds/list.dat", listChunkFirst, true, true},
      {"sounds/short.dat", truncatedFormat, true, false},
      {"sounds/tiny.dat", Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V'}, true, false},
      {"sounds/plain.dat", MakeWav(10), false, false},
  };
  for (const auto& [file, bytes, scrambled, loads] : rows) {
    scrambled ? WriteDatFile(file, bytes) : WriteBytes(file, bytes);
    const bool picture = std::string(file).starts_with("sprites");
    const std::string message = ThrownMessage<EMediaError>([&] { picture ? (void)LoadSprite(file) : (void)LoadSound(file); });
    EXPECT_EQ(message == "nothing thrown", loads) << file << ": " << message;
    EXPECT_TRUE(loads || message.starts_with(std::string(picture ? "Cannot load picture " : "Cannot load sound ") + file + ": "))
        << message;
  }
  EXPECT_EQ(LoadSprite("sprites/red.dat")->w, 3);
  EXPECT_EQ(ThrownMessage<EInOutError>([] { LoadSprite("sprites/missing.dat"); }), "sprites/missing.dat: File not found");
  EXPECT_EQ(ThrownMessage<EInOutError>([] { LoadSound("sounds/missing.dat"); }), "sounds/missing.dat: File not found");
}
