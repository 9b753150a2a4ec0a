// The generator's sound pieces: WAV files, mastering, loop-aware tones and the music score.

#include "assetgen/Music.h"
#include "assetgen/Synth.h"
#include "assetgen/Wave.h"
#include "support/Headless.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace ag = assetgen;

namespace {

// The loudest sample among the first `frames` frames (all of them by default).
float Peak(const ag::Sound& sound, size_t frames = SIZE_MAX) {
  float peak = 0;
  for (size_t i = 0; i < std::min(frames, sound.Frames()); ++i) peak = std::max({peak, std::fabs(sound.Left[i]), std::fabs(sound.Right[i])});
  return peak;
}

std::string ScoreError(const std::string& score) {
  std::ofstream("score.txt") << score;
  return ThrownMessage<std::runtime_error>([] { ag::MakeMusic("score.txt"); });
}

constexpr char Header[] = "tempo 120\nbeats 3\n# C# in a comment is no note\nchords Dm Gm\n";

}  // namespace

TEST(AssetSoundTest, WavFilesAreStereoPcmClampedShortOfFullScale) {
  ag::Sound sound{"test", {0.0f, 1.5f, -1.5f}, {0.5f, -1.0f, 1.0f}};
  const std::vector<uint8_t> wav = ag::EncodeWav(sound);
  ASSERT_EQ(wav.size(), 44u + 12);
  EXPECT_EQ(std::string(wav.begin() + 36, wav.begin() + 40), "data");
  EXPECT_EQ(wav[22], 2);  // channels
  EXPECT_EQ(wav[34], 16);  // bits
  EXPECT_EQ(WavSample(wav, 0), 0);
  EXPECT_EQ(WavSample(wav, 1), 16384);
  EXPECT_EQ(WavSample(wav, 2), 32766);
  EXPECT_EQ(WavSample(wav, 3), -32766);
  EXPECT_EQ(WavSample(wav, 4), -32766);
  EXPECT_EQ(WavSample(wav, 5), 32766);
}

TEST(AssetSoundTest, MasteringPeaksAtMinusOneDecibelAndFadesBothEnds) {
  ag::Sound sound = ag::Sound::Silence("tone", 0.5);
  for (size_t i = 0; i < sound.Frames(); ++i) sound.Left[i] = sound.Right[i] = 0.3f * static_cast<float>(std::sin(i * 0.05) + 0.2);
  ag::Master(sound, 0.01, 0.02);
  EXPECT_NEAR(Peak(sound), 0.8913, 0.0005);
  EXPECT_EQ(sound.Left.front(), 0.0f);
  EXPECT_EQ(sound.Right.back(), 0.0f);
  EXPECT_LT(std::fabs(sound.Left[100]), 0.2f);  // still fading in after 2 ms
}

TEST(AssetSoundTest, LoopedTonesWrapTheirTailsToTheStart) {
  ag::Sound once = ag::Sound::Silence("once", 0.1), looped = ag::Sound::Silence("looped", 0.1);
  const ag::Tone tone{[](double) { return 440.0; }, {{1, 1, 0}}, 0.001, 0.05};
  ag::AddTone(once, tone, 0.08, 1, 0);
  ag::AddTone(looped, tone, 0.08, 1, 0, true);
  EXPECT_EQ(Peak(once, 1000), 0.0f);
  EXPECT_GT(Peak(looped, 1000), 0.5f);
  EXPECT_NEAR(ag::NoteFrequency(69), 440.0, 1e-9);
  EXPECT_NEAR(ag::NoteFrequency(57), 220.0, 1e-9);
}

TEST(AssetSoundTest, ScoresLoopForTheLengthOfTheirChordsAndStartQuietly) {
  ScratchDir scratch;
  std::ofstream("score.txt") << Header << "part bell\nA4:1 C#5+E5:1 r:1 | D5:3\npart whistle\nr:6\n";
  const ag::Sound music = ag::MakeMusic("score.txt");
  EXPECT_EQ(music.Name, "music");
  EXPECT_EQ(music.Frames(), 132300u);  // two bars of three beats at 120 a minute: 3 s
  EXPECT_NEAR(Peak(music), 0.8913, 0.0005);
  EXPECT_LT(std::max(std::fabs(music.Left.front()), std::fabs(music.Right.front())), 0.01f);
}

TEST(AssetSoundTest, MalformedScoresNameTheirFault) {
  ScratchDir scratch;
  EXPECT_NE(ScoreError(std::string(Header) + "part bell\nA4:1 A4:1\n").find("lasts 2"), std::string::npos);
  EXPECT_NE(ScoreError(std::string(Header) + "part bell\nH4:6\n").find("score.txt:6:"), std::string::npos);
  EXPECT_NE(ScoreError(std::string(Header) + "part bell\nA4 r:5\n").find("has no length"), std::string::npos);
  EXPECT_NE(ScoreError(std::string(Header) + "part drum\nA4:6\n").find("'drum'"), std::string::npos);
  EXPECT_NE(ScoreError("A4:1\n").find("outside a part"), std::string::npos);
}
