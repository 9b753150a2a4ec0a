#include "media/LibSound.h"

#include "media/LibErrors.h"
#include "support/Headless.h"

#include <malloc.h>

// The sanitizers' allocator keeps its own count.
extern "C" [[gnu::weak]] size_t __sanitizer_get_current_allocated_bytes();
size_t LiveHeapBytes() {
  if (__sanitizer_get_current_allocated_bytes) return __sanitizer_get_current_allocated_bytes();
  return mallinfo2().uordblks;
}

using LibSoundTest = HeadlessTest;

// A screen that is left while its sound plays must not cut the sound off, nor keep it for ever.
TEST_F(LibSoundTest, ReleasedSoundsPlayToTheEnd) {
  EXPECT_EQ(std::vector({Mix_Volume(ChannelGame, -1), Mix_Volume(ChannelEffects, -1), Mix_Volume(ChannelMusic, -1)}),
            std::vector({128, 128, 48}));
  const SoundPtr music = LoadSound("sounds/music.dat"), pop = LoadSound("sounds/pop.dat");
  PlaySound(ChannelMusic, music, -1);
  PlaySound(ChannelGame, music, 0);
  PlaySound(ChannelEffects, music, 0);
  PlaySound(ChannelEffects, pop, 0);
  PlaySound(ChannelGame, SoundPtr(), 0);  // an empty handle plays nothing
  EXPECT_EQ(std::vector({Mix_GetChunk(ChannelGame), Mix_GetChunk(ChannelEffects), Mix_GetChunk(ChannelMusic)}),
            std::vector({music.get(), pop.get(), music.get()}));
  constexpr size_t Big = 1000000;  // bytes of samples
  WriteDatFile("sounds/big.dat", MakeWav(Big / 4));
  const size_t before = LiveHeapBytes();
  SoundPtr big = LoadSound("sounds/big.dat");
  PlaySound(ChannelEffects, big, -1);
  big.reset();
  PlaySound(ChannelGame, pop, 0);
  EXPECT_TRUE(Mix_Playing(ChannelEffects) && LiveHeapBytes() > before + Big);
  Mix_HaltChannel(ChannelEffects);
  PlaySound(ChannelGame, pop, 0);
  EXPECT_LT(LiveHeapBytes(), before + Big / 2);
  std::ignore = LoadSound("sounds/big.dat");  // never played: freed with its handle
  EXPECT_LT(LiveHeapBytes(), before + Big / 2);
}

class LibSoundSilentTest : public HeadlessTest {
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    HeadlessTest::SetUp();
  }
};

TEST_F(LibSoundSilentTest, EverySoundIsSilent) {
  EXPECT_FALSE(SoundIsOpen());
  EXPECT_EQ(LoadSound("sounds/pop.dat"), nullptr);
  EXPECT_THROW(LoadSound("sounds/missing.dat"), EInOutError);
}
