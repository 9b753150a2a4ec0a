// The generated pictures and sounds as the game meets them; the soak loads every picture and sound.

#include "assetgen/Wave.h"
#include "support/Headless.h"

#include <cmath>
#include <map>
#include <regex>
#include <set>

using namespace assetgen;
using AssetGeneratorTest = HeadlessTest;

TEST_F(AssetGeneratorTest, AssetsFitAndRepeat) {
  UseGeneratedAssets();
  EXPECT_EQ(std::pair(LoadSprite(SpriteFile::Font)->w, LoadSprite(SpriteFile::Numbers)->w), std::pair(430, 120));
  ASSERT_EQ(std::system(BOGLINGS_ASSETGEN " " BOGLINGS_SOURCE_DIR "/assets again >/dev/null"), 0);
  for (const std::string file : AllAssetFiles) EXPECT_EQ(ReadBytes(file), ReadBytes("again/" + file)) << file;
}

// The sound files the game plays on each channel, by the channel's name, read from its PlaySound calls.
std::map<std::string, std::set<std::string>> ChannelsPlayed() {
  auto text = [](const fs::path& file) {
    const Bytes bytes = ReadBytes(file);
    return std::string(bytes.begin(), bytes.end());
  };
  std::map<std::string, std::string> paths;  // by the name the code knows a file by
  const std::string list = text(BOGLINGS_SOURCE_DIR "/assets/files.txt");
  const std::regex listed(R"((sounds/\S+) (\w+))"), call(R"(PlaySound\((\w+), (\w+), )");
  for (std::sregex_iterator i(list.begin(), list.end(), listed), end; i != end; ++i) paths[(*i)[2]] = (*i)[1];
  std::map<std::string, std::set<std::string>> played;
  for (const auto& file : fs::recursive_directory_iterator(BOGLINGS_SOURCE_DIR "/src")) {
    const std::string code = file.is_regular_file() ? text(file) : "";
    for (std::sregex_iterator i(code.begin(), code.end(), call), end; i != end; ++i) {
      std::smatch loaded;
      std::regex_search(code, loaded, std::regex((*i)[2].str() + R"( = LoadSound\(SoundFile::(\w+)\))"));
      played[(*i)[1]].insert(paths.at(loaded[1]));
    }
  }
  return played;
}

// A generated sound as the mixer holds it.
Sound Loaded(const std::string& file) {
  const SoundPtr chunk = LoadSound(file.c_str());
  const auto* samples = reinterpret_cast<const int16_t*>(chunk->abuf);
  Sound sound{file, {}, {}};
  for (Uint32 i = 0; i + 1 < chunk->alen / 2; i += 2) {
    sound.Left.push_back(samples[i] / 32768.0f);
    sound.Right.push_back(samples[i + 1] / 32768.0f);
  }
  return sound;
}

TEST_F(AssetGeneratorTest, SoundsMixWithoutClipping) {
  UseGeneratedAssets();
  auto played = ChannelsPlayed();
  ASSERT_EQ(played["ChannelMusic"], std::set<std::string>{SoundFile::Music});
  const double volume = MusicVolume / 128.0;
  const Levels music = Measure(Loaded(SoundFile::Music));
  // A signal and an effect may start together over the music, and the mixer clamps their sum.
  for (const std::string& signal : played["ChannelGame"]) {
    for (const std::string& effect : played["ChannelEffects"]) {
      EXPECT_LT(Measure(Loaded(signal)).Peak() + Measure(Loaded(effect)).Peak() + volume * music.Peak(), 1.0)
          << signal << " with " << effect;
    }
  }
  for (const auto& [channel, files] : played) {
    for (const std::string& file : files) {
      const Sound sound = Loaded(file);
      const Levels levels = Measure(sound);
      const size_t last = file == SoundFile::Music ? 0 : sound.Frames() - 1;  // the music's end runs on into its start
      for (const size_t end : {size_t(0), last}) {
        EXPECT_LT(std::max(std::fabs(sound.Left[end]), std::fabs(sound.Right[end])), 1e-3) << file << " at " << end;
      }
      EXPECT_LT(std::max(std::fabs(levels.MeanLeft), std::fabs(levels.MeanRight)), 1e-4) << file;
      if (file == SoundFile::Music) continue;
      EXPECT_NEAR(Decibels(levels.Rms / (volume * music.Rms)), 8, 2) << file;
      // The ghost flies across the screen; every other sound sits in the middle.
      if (file != SoundFile::Ghost) {
        EXPECT_LT(std::fabs(Decibels(levels.PeakLeft / levels.PeakRight)), 1) << file;
      }
    }
  }
}
