#include "game/LibRandom.h"

#include <chrono>

namespace {

constexpr uint32_t Multiplier = 134775813;

uint32_t Seed = 0;

}  // namespace

void SetRandomSeed(uint32_t seed) { Seed = seed; }

uint32_t GetRandomSeed() { return Seed; }

void SeedRandomFromClock() {
  const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  Seed = static_cast<uint32_t>(ticks);
}

uint32_t RandomBelow(uint32_t n) {
  Seed = Seed * Multiplier + 1;  // wraps modulo 2^32
  return static_cast<uint32_t>((static_cast<uint64_t>(Seed) * n) >> 32);
}
