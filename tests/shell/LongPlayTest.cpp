// Two hundred games in a row must leave the heap where two games left it: every picture, sound,
// board and tile a screen loads goes when the screen is left.

#include "screens/MenuModule.h"
#include "support/Headless.h"
#include "support/Player.h"

#include <malloc.h>

#include <cstdio>
#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer's own count of live heap bytes (its allocator bypasses malloc's statistics).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

size_t LiveHeapBytes() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

constexpr int Games = 200;
constexpr size_t Margin = 64 * 1024;

}  // namespace

class LongPlayTest : public HeadlessTest {};

TEST_F(LongPlayTest, TwoHundredGamesUseNoMoreMemoryThanTwo) {
  UseGeneratedAssets();
  THalloween controller;
  controller.Start();
  TPlayer player(controller);
  player.Click(0, 0);
  ASSERT_NE(player.Showing<TMenuModule>(), nullptr);
  size_t afterSecond = 0;
  for (int game = 1; game <= Games; ++game) {
    ASSERT_TRUE(player.PlayOneGame(3)) << "game " << game;
    if (game == 2) afterSecond = LiveHeapBytes();
  }
  const size_t afterLast = LiveHeapBytes();
  std::printf("live heap after game 2: %zu bytes, after game %d: %zu bytes\n", afterSecond, Games, afterLast);
  EXPECT_LE(afterLast, afterSecond + Margin) << "after game 2: " << afterSecond << ", after game " << Games << ": " << afterLast;
}
