// The generated pictures as the game meets them; the soak loads every picture and sound.

#include "assetgen/Mix.h"
#include "assetgen/Sounds.h"
#include "support/Headless.h"

#include <map>
#include <regex>
#include <sstream>

using namespace assetgen;
using Names = std::vector<std::string>;
using AssetGeneratorTest = HeadlessTest;

TEST_F(AssetGeneratorTest, AssetsFitAndRepeat) {
  UseGeneratedAssets();
  EXPECT_EQ(std::pair(LoadSprite(SpriteFile::Font)->w, LoadSprite(SpriteFile::Numbers)->w), std::pair(430, 120));
  ASSERT_EQ(std::system(BOGLINGS_ASSETGEN " " BOGLINGS_SOURCE_DIR "/assets again >/dev/null"), 0);
  for (const std::string file : AllAssetFiles) EXPECT_EQ(ReadBytes(file), ReadBytes("again/" + file)) << file;
}

// The generated sounds on the channels the game's PlaySound calls name.
TEST(SoundMixTest, NothingClipsAndEffectsStandOut) {
  auto text = [](const fs::path& file) { return (std::stringstream() << std::ifstream(file).rdbuf()).str(); };
  const std::string list = text(BOGLINGS_SOURCE_DIR "/assets/files.txt");
  std::map<std::string, Names> played;
  for (const auto& file : fs::recursive_directory_iterator(BOGLINGS_SOURCE_DIR "/src")) {
    const std::string code = file.is_regular_file() ? text(file) : "";
    const std::regex call(R"(PlaySound\((\w+), (\w+), )");
    for (std::sregex_iterator i(code.begin(), code.end(), call), end; i != end; ++i) {
      std::smatch loaded, listed;
      std::regex_search(code, loaded, std::regex((*i)[2].str() + R"( = LoadSound\(SoundFile::(\w+)\))"));
      std::regex_search(list, listed, std::regex(R"(sounds/(\w+)\.dat )" + loaded[1].str() + R"(\b)"));
      ASSERT_FALSE(listed.empty()) << file.path() << ": which sound file does " << (*i)[0] << " play?";
      played[(*i)[1]].push_back(listed[1]);
    }
  }
  ASSERT_EQ(played.size(), 3u);
  ASSERT_EQ(played["ChannelMusic"], Names{"music"});
  std::vector<Sound> sounds = MakeSounds(BOGLINGS_SOURCE_DIR "/assets");
  EXPECT_EQ(MixFaults(sounds, played["ChannelGame"], played["ChannelEffects"]), Names());
  for (float& sample : std::ranges::find(sounds, "hit", &Sound::Name)->Left) sample *= 2;  // louder on one side
  EXPECT_EQ(MixFaults(sounds, {"hit"}, {"pop"}).size(), 3u) << "sides, loudness, sum";
}
