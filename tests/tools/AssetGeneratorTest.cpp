// The generated pictures and sounds as the game meets them; the soak loads every one.

#include "support/Headless.h"

using AssetGeneratorTest = HeadlessTest;

TEST_F(AssetGeneratorTest, AssetsFitAndRepeat) {
  UseGeneratedAssets();
  for (const auto& file : std::filesystem::directory_iterator("sounds"))
    EXPECT_GT(LoadSound(file.path().c_str())->alen, 4 * 441u) << file;
  EXPECT_EQ(std::pair(LoadSprite(SpriteFile::Font)->w, LoadSprite(SpriteFile::Numbers)->w), std::pair(430, 120));
  EXPECT_LE(LoadSprite(SpriteFile::Cat)->w, 49) << "inside the selection ring";
  ASSERT_EQ(std::system(BOGLINGS_ASSETGEN " " BOGLINGS_SOURCE_DIR "/assets again >/dev/null"), 0);
  for (const std::string file : AllAssetFiles) EXPECT_EQ(ReadBytes(file), ReadBytes("again/" + file)) << file;
}
