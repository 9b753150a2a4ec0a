#include "media/LibSound.h"

#include "media/LibErrors.h"
#include "support/Headless.h"

#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();  // its allocator bypasses malloc's count
#endif

namespace {

size_t LiveHeapBytes() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

constexpr size_t BigSound = 4 * 250000;  // bytes of samples in sounds/big.dat

}  // namespace

class LibSoundTest : public HeadlessTest {};

TEST_F(LibSoundTest, EachChannelCutsOffOnlyItsOwnSoundAndTheMusicPlaysSofter) {
  EXPECT_EQ(Mix_Volume(ChannelGame, -1), 128);
  EXPECT_EQ(Mix_Volume(ChannelEffects, -1), 128);
  EXPECT_EQ(Mix_Volume(ChannelMusic, -1), 48);
  const SoundPtr music = LoadSound("sounds/music.dat"), score = LoadSound("sounds/score.dat"), pop = LoadSound("sounds/pop.dat");
  PlaySound(ChannelMusic, music, -1);
  PlaySound(ChannelGame, score, 0);
  PlaySound(ChannelEffects, score, 0);
  PlaySound(ChannelEffects, pop, 0);
  EXPECT_EQ(Mix_GetChunk(ChannelEffects), pop.get());
  EXPECT_EQ(Mix_GetChunk(ChannelGame), score.get());
  EXPECT_EQ(Mix_GetChunk(ChannelMusic), music.get());
  EXPECT_TRUE(Mix_Playing(ChannelMusic));
  PlaySound(ChannelGame, SoundPtr(), 0);
  EXPECT_EQ(Mix_GetChunk(ChannelGame), score.get()) << "an empty handle plays nothing";
}

// A screen that is left while its sound plays must not cut the sound off, nor keep it for ever.
TEST_F(LibSoundTest, ASoundReleasedWhilePlayingPlaysOnAndIsFreedOnceItStops) {
  WriteDatFile("sounds/big.dat", MakeWav(BigSound / 4));
  const SoundPtr pop = LoadSound("sounds/pop.dat");
  const size_t before = LiveHeapBytes();
  LoadSound("sounds/big.dat");
  EXPECT_LT(LiveHeapBytes(), before + BigSound / 2) << "one never played goes at once";
  SoundPtr big = LoadSound("sounds/big.dat");
  Mix_Chunk* const chunk = big.get();
  PlaySound(ChannelEffects, big, -1);
  big.reset();
  PlaySound(ChannelGame, pop, 0);
  EXPECT_TRUE(Mix_Playing(ChannelEffects));
  EXPECT_EQ(Mix_GetChunk(ChannelEffects), chunk);
  EXPECT_GT(LiveHeapBytes(), before + BigSound);
  Mix_HaltChannel(ChannelEffects);
  PlaySound(ChannelGame, pop, 0);
  EXPECT_LT(LiveHeapBytes(), before + BigSound / 2);
}

TEST(LibSoundSilentTest, WithoutAnAudioDeviceEverySoundIsSilent) {
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
  setenv("SDL_AUDIODRIVER", "dummy", 1);
}
