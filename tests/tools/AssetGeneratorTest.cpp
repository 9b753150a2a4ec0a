// The generated pictures as the game meets them; the journeys load every picture and sound.

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

namespace {

std::string Text(const fs::path& file) { return (std::stringstream() << std::ifstream(file).rdbuf()).str(); }

// The sounds as the browser's page plays them: the site's MP3s (tools/web-assets) decoded by lame,
// which drops the encoder's delay as Chromium does, each cut out where files.json says it starts.
std::vector<Sound> DecodedForThePage(std::vector<Sound> sounds) {
  ScratchDir scratch;
  const std::string tool = BOGLINGS_SOURCE_DIR "/tools/web-assets " BOGLINGS_SOURCE_DIR "/assets/files.txt ";
  EXPECT_EQ(std::system((tool + BOGLINGS_GAME_DIR " site").c_str()), 0);
  const std::string list = Text("site/files.json");
  for (Sound& sound : sounds) {
    EXPECT_EQ(std::system(("lame --quiet --decode site/" + sound.Name + ".mp3 decoded.wav").c_str()), 0);
    std::smatch start;
    std::regex_search(list, start, std::regex("\"sounds/" + sound.Name + R"(\.dat": \{[^}]*"start": (\d+))"));
    SDL_AudioSpec format;
    Uint8* wav = nullptr;
    Uint32 bytes = 0;
    const size_t from = start.empty() ? 0 : std::stoul(start[1]);
    const bool whole = SDL_LoadWAV("decoded.wav", &format, &wav, &bytes) && format.format == AUDIO_S16LSB &&
                       format.channels == 2 && bytes / 4 >= from + sound.Frames() && !start.empty();
    EXPECT_TRUE(whole) << sound.Name << ": no 16-bit stereo sound of its frames";
    const auto* frame = reinterpret_cast<const int16_t*>(wav) + 2 * from;
    for (size_t i = 0; whole && i < sound.Frames(); ++i, frame += 2) {
      sound.Left[i] = frame[0] / 32767.0f;
      sound.Right[i] = frame[1] / 32767.0f;
    }
    SDL_FreeWAV(wav);
  }
  return sounds;
}

}  // namespace

// The generated sounds on the channels the game's PlaySound calls name, on the desktop and as the
// browser's page decodes them.
TEST(SoundMixTest, NothingClipsAndEffectsStandOut) {
  const std::string list = Text(BOGLINGS_SOURCE_DIR "/assets/files.txt");
  std::map<std::string, Names> played;
  for (const auto& file : fs::recursive_directory_iterator(BOGLINGS_SOURCE_DIR "/src")) {
    const std::string code = file.is_regular_file() ? Text(file) : "";
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
  EXPECT_EQ(MixFaults(DecodedForThePage(sounds), played["ChannelGame"], played["ChannelEffects"]), Names());
  for (float& sample : std::ranges::find(sounds, "hit", &Sound::Name)->Left) sample *= 2;  // louder on one side
  EXPECT_EQ(MixFaults(sounds, {"hit"}, {"pop"}).size(), 3u) << "sides, loudness, sum";
}
