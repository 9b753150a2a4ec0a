#pragma once
// The sparks and stars thrown out of a scored chain: 64 fixed slots in screen coordinates, each
// flying straight at a constant speed for 30 ticks.

#include <array>
#include <cstdint>

constexpr int ParticleSlots = 64;
constexpr int32_t ParticleLife = 30;
constexpr uint8_t StarShape = 1;  // any other shape is a white dot

struct TParticle {
  bool Active = false;
  float X = 0.0f;
  float Y = 0.0f;
  float DX = 0.0f;  // added to X per tick
  float DY = 0.0f;
  int32_t Life = 0;  // ticks left
  uint8_t Shape = 0;
};

class TParticles {
 public:
  // Five particles around a tile at board point (x, y), flying outwards at random speeds and with
  // random shapes drawn from the shared generator.
  void SpawnBurst(float x, float y);
  // Takes the first free slot; with every slot busy the particle is dropped.
  void SpawnParticle(uint8_t shape, float x, float y, float dx, float dy);
  // One tick: a particle loses a tick of life, and moves unless that was its last.
  void Update();
  void Clear() { Slots.fill(TParticle{}); }

  const std::array<TParticle, ParticleSlots>& All() const { return Slots; }

 private:
  std::array<TParticle, ParticleSlots> Slots{};
};
