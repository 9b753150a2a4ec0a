#include "game/LibParticles.h"

#include "game/GameLayout.h"
#include "game/LibRandom.h"

#include <cmath>
#include <numbers>

namespace {

constexpr int BurstSize = 5;
constexpr double BurstRadius = 10.0;  // sparks start this far from the tile's centre
constexpr uint32_t SpeedSteps = 20;   // speeds 1.0 to 2.9 pixels per tick in steps of 0.1
constexpr uint32_t Shapes = 2;

}  // namespace

void TParticles::SpawnBurst(float x, float y) {
  for (int i = 0; i < BurstSize; ++i) {
    // The angle and every result are stored as floats, as all positions and speeds are; the cosine
    // and sine between them are not, so they take no rounding step of their own.
    const float angle = static_cast<float>(i * 2 * std::numbers::pi / BurstSize);
    const double cosine = std::cos(static_cast<double>(angle)), sine = std::sin(static_cast<double>(angle));
    const float px = static_cast<float>(cosine * BurstRadius + x);
    const float py = static_cast<float>(sine * BurstRadius + y);
    const uint32_t step = RandomBelow(SpeedSteps);
    const float speed = static_cast<float>(step / 10.0 + 1.0);
    const auto shape = static_cast<uint8_t>(RandomBelow(Shapes));
    SpawnParticle(shape, px + BoardOriginX, py + BoardOriginY, static_cast<float>(cosine * speed),
                  static_cast<float>(sine * speed));
  }
}

void TParticles::SpawnParticle(uint8_t shape, float x, float y, float dx, float dy) {
  for (TParticle& slot : Slots) {
    if (slot.Active) continue;
    slot = TParticle{true, x, y, dx, dy, ParticleLife, shape};
    return;
  }
}

void TParticles::Update() {
  for (TParticle& particle : Slots) {
    if (!particle.Active) continue;
    if (--particle.Life == 0) {
      particle.Active = false;
    } else {
      particle.X += particle.DX;
      particle.Y += particle.DY;
    }
  }
}
