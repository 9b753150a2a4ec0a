#include "media/LibFiles.h"

#include "media/LibErrors.h"
#include "media/LibGraphics.h"
#include "support/Headless.h"

class LibFilesTest : public ::testing::Test {
 protected:
  ScratchDir Scratch;
};

TEST_F(LibFilesTest, DescrambleKeysEachByteByItsOffset) {
  std::vector<uint8_t> bytes(600, 0);
  Descramble(bytes.data(), static_cast<int32_t>(bytes.size()));
  EXPECT_EQ(bytes[255], 255);
  EXPECT_EQ(bytes[256], 0);
  EXPECT_EQ(bytes[513], 1);

  std::vector<uint8_t> bmpStart = {0x42, 0x4D};
  Descramble(bmpStart.data(), 2);
  EXPECT_EQ(bmpStart, (std::vector<uint8_t>{0x42, 0x4C}));
  std::vector<uint8_t> riff = {'R', 'I', 'F', 'F'};
  Descramble(riff.data(), 4);
  EXPECT_EQ(riff, (std::vector<uint8_t>{0x52, 0x48, 0x44, 0x45}));

  // Its own inverse.
  Descramble(bytes.data(), static_cast<int32_t>(bytes.size()));
  EXPECT_EQ(bytes, std::vector<uint8_t>(600, 0));
}

TEST_F(LibFilesTest, LoadDatFileReadsWholeFilesAndReportsOnlyTheOpen) {
  WriteDatFile("a.dat", {1, 2, 3});
  FileBuffer buffer;
  int32_t size = -1;
  ASSERT_TRUE(LoadDatFile("a.dat", buffer, size));
  EXPECT_EQ(size, 3);
  EXPECT_EQ(std::vector<uint8_t>(buffer.get(), buffer.get() + 3), (std::vector<uint8_t>{1, 2, 3}));

  WriteBytes("empty.dat", {});
  ASSERT_TRUE(LoadDatFile("empty.dat", buffer, size));
  EXPECT_EQ(size, 0);
  EXPECT_EQ(buffer, nullptr);

  size = 77;
  EXPECT_FALSE(LoadDatFile("missing.dat", buffer, size));
  EXPECT_EQ(size, 77);
}

TEST_F(LibFilesTest, PicturesLoadOnlyWhenScrambledAndMissingOnesNameTheFile) {
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
  WriteDatFile("sprites/red.dat", MakeSolidBmp(3, 2, {255, 0, 0}));
  const SurfacePtr red = LoadBitmapDat("sprites/red.dat");
  ASSERT_NE(red, nullptr);
  EXPECT_EQ(red->w, 3);
  EXPECT_EQ(red->h, 2);

  WriteBytes("sprites/plain.dat", MakeSolidBmp(3, 2, {255, 0, 0}));
  EXPECT_EQ(LoadBitmapDat("sprites/plain.dat"), nullptr);
  WriteBytes("sprites/empty.dat", {});
  EXPECT_EQ(LoadBitmapDat("sprites/empty.dat"), nullptr);
  EXPECT_THROW(LoadSprite("sprites/plain.dat"), EMediaError);

  EXPECT_EQ(ThrownMessage<EInOutError>([] { LoadBitmapDat("sprites/missing.dat"); }),
            "sprites/missing.dat: File not found");
  SDL_Quit();
}
