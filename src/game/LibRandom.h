#pragma once
// The process-wide random generator that the board and the particle bursts draw from. A linear
// congruential generator, so a known seed gives a known sequence (tests set it with SetRandomSeed).

#include <cstdint>

void SetRandomSeed(uint32_t seed);
uint32_t GetRandomSeed();
// Seeds from the high-resolution clock; the board does this each time it is filled.
void SeedRandomFromClock();
// Advances the seed once and returns a value below n (0 when n is 0).
uint32_t RandomBelow(uint32_t n);
