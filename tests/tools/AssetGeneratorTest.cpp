// The generated pictures and sounds, as the game and a player meet them.

#include "AssetFiles.h"
#include "media/LibGraphics.h"
#include "media/LibSound.h"
#include "support/Headless.h"

class AssetGeneratorTest : public HeadlessTest {};

TEST_F(AssetGeneratorTest, EveryFileLoadsInTheGamesFormatsAndTheSameSourcesGiveTheSameBytes) {
  UseGeneratedAssets();
  for (const auto& file : std::filesystem::directory_iterator("sprites")) {
    const SurfacePtr picture = LoadSprite(file.path().c_str());
    EXPECT_TRUE(picture->format->BitsPerPixel == 16 && picture->w <= 640 && picture->h <= 480) << file;
  }
  EXPECT_EQ(std::pair(LoadSprite(SpriteFile::Font)->w, LoadSprite(SpriteFile::Numbers)->w), std::pair(430, 120))
      << "43 and 10 cells";
  EXPECT_LE(LoadSprite(SpriteFile::Cat)->w, 49) << "inside the selection ring";
  for (const auto& file : std::filesystem::directory_iterator("sounds"))
    EXPECT_GT(LoadSound(file.path().c_str())->alen, 4 * 441u) << file;
  const std::string tool = BOGLINGS_ASSETGEN, assets = std::string(BOGLINGS_SOURCE_DIR) + "/assets";
  for (const char* run : {"first", "second"})
    ASSERT_EQ(std::system((tool + " " + assets + " " + run + " > /dev/null").c_str()), 0);
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator("first")) {
    if (!entry.is_regular_file()) continue;
    ++files;
    EXPECT_EQ(ReadBytes(entry.path()), ReadBytes("second" / relative(entry.path(), "first"))) << entry;
  }
  EXPECT_EQ(files, std::ssize(AllAssetFiles));
}
