// The generated pictures as the game meets them; the soak loads every picture and sound.

#include "support/Headless.h"

using AssetGeneratorTest = HeadlessTest;

TEST_F(AssetGeneratorTest, AssetsFitAndRepeat) {
  UseGeneratedAssets();
  EXPECT_EQ(std::pair(LoadSprite(SpriteFile::Font)->w, LoadSprite(SpriteFile::Numbers)->w), std::pair(430, 120));
  ASSERT_EQ(std::system(BOGLINGS_ASSETGEN " " BOGLINGS_SOURCE_DIR "/assets again >/dev/null"), 0);
  for (const std::string file : AllAssetFiles) EXPECT_EQ(ReadBytes(file), ReadBytes("again/" + file)) << file;
}
