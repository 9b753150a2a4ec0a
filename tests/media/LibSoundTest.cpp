#include "media/LibSound.h"

#include "media/LibErrors.h"
#include "support/Headless.h"

class LibSoundTest : public HeadlessTest {};

TEST_F(LibSoundTest, ChannelsHaveTheirFixedVolumes) {
  ASSERT_TRUE(SoundIsOpen());
  EXPECT_EQ(Mix_Volume(ChannelGame, -1), 128);
  EXPECT_EQ(Mix_Volume(ChannelEffects, -1), 128);
  EXPECT_EQ(Mix_Volume(ChannelMusic, -1), 48);
}

TEST_F(LibSoundTest, EffectsCutOffTheirOwnChannelOnlyAndNeverTheMusic) {
  const SoundPtr music = LoadSound("sounds/music.dat");
  const SoundPtr score = LoadSound("sounds/score.dat");
  const SoundPtr pop = LoadSound("sounds/pop.dat");
  PlaySound(ChannelMusic, music, -1);
  PlaySound(ChannelEffects, score, 0);
  PlaySound(ChannelEffects, pop, 0);
  EXPECT_EQ(Mix_GetChunk(ChannelEffects), pop.get());
  EXPECT_EQ(Mix_GetChunk(ChannelMusic), music.get());
  EXPECT_TRUE(Mix_Playing(ChannelMusic));
}

// A screen that is left while its sound plays must not cut the sound off.
TEST_F(LibSoundTest, ASoundReleasedWhilePlayingPlaysOn) {
  SoundPtr hit = LoadSound("sounds/hit.dat");
  Mix_Chunk* const chunk = hit.get();
  PlaySound(ChannelEffects, hit, -1);
  hit.reset();
  EXPECT_TRUE(Mix_Playing(ChannelEffects));
  EXPECT_EQ(Mix_GetChunk(ChannelEffects), chunk);

  const SoundPtr pop = LoadSound("sounds/pop.dat");
  PlaySound(ChannelEffects, pop, 0);  // cuts it off; the lingering chunk is freed from here on
  EXPECT_EQ(Mix_GetChunk(ChannelEffects), pop.get());
}

// The sample rate once found by fuzzing: SDL's converter overran its step table and crashed.
TEST_F(LibSoundTest, UndecodableAndUnconvertibleSoundsAreRefusedByName) {
  const auto setRate = [](std::vector<uint8_t> wav, uint32_t rate) {
    for (int i = 0; i < 4; ++i) wav[24 + i] = static_cast<uint8_t>(rate >> (8 * i));
    return wav;
  };
  WriteBytes("sounds/plain.dat", MakeWav(10));
  WriteDatFile("sounds/fast.dat", setRate(MakeWav(64), 604351556));
  WriteDatFile("sounds/slow.dat", setRate(MakeWav(64), 22050));
  for (const char* name : {"sounds/plain.dat", "sounds/fast.dat"}) {
    const std::string message = ThrownMessage<EMediaError>([&] { LoadSound(name); });
    EXPECT_TRUE(message.starts_with(std::string("Cannot load sound ") + name + ": ")) << message;
  }
  EXPECT_NE(LoadSound("sounds/slow.dat"), nullptr);
}

TEST(LibSoundSilentTest, WithoutAnAudioDeviceTheGameRunsSilently) {
  ScratchDir scratch;
  WriteFixtureAssets();
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
  InitSound();
  EXPECT_FALSE(SoundIsOpen());
  const SoundPtr pop = LoadSound("sounds/pop.dat");
  EXPECT_EQ(pop, nullptr);
  PlaySound(ChannelEffects, pop, 0);
  EXPECT_THROW(LoadSound("sounds/missing.dat"), EInOutError);
  ShutdownSound();
  SDL_Quit();
}
