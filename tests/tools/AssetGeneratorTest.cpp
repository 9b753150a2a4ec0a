// The generated pictures and sounds, as the game and a player meet them; the soak loads every one.

#include "AssetFiles.h"
#include "media/LibGraphics.h"
#include "media/LibSound.h"
#include "support/Headless.h"

class AssetGeneratorTest : public HeadlessTest {};

TEST_F(AssetGeneratorTest, SoundsPlayPicturesFitTheirCellsAndTheSameSourcesGiveTheSameBytes) {
  UseGeneratedAssets();
  for (const auto& file : std::filesystem::directory_iterator("sounds"))
    EXPECT_GT(LoadSound(file.path().c_str())->alen, 4 * 441u) << file;
  EXPECT_EQ(std::pair(LoadSprite(SpriteFile::Font)->w, LoadSprite(SpriteFile::Numbers)->w), std::pair(430, 120))
      << "43 and 10 cells";
  EXPECT_LE(LoadSprite(SpriteFile::Cat)->w, 49) << "inside the selection ring";
  const std::string run = std::string(BOGLINGS_ASSETGEN) + " " + BOGLINGS_SOURCE_DIR + "/assets ";
  ASSERT_EQ(std::system((run + "first > /dev/null").c_str()), 0);
  ASSERT_EQ(std::system((run + "second > /dev/null").c_str()), 0);
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator("first")) {
    if (!entry.is_regular_file()) continue;
    ++files;
    EXPECT_EQ(ReadBytes(entry.path()), ReadBytes("second" / relative(entry.path(), "first"))) << entry;
  }
  EXPECT_EQ(files, std::ssize(AllAssetFiles));
}
