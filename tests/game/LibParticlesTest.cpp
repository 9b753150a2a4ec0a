#include "game/LibParticles.h"

#include "game/LibRandom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

TEST(LibParticlesTest, BurstsFlyStraightOutOfTheirTileForThirtyTicks) {
  TParticles particles;
  SetRandomSeed(99);
  particles.SpawnBurst(64, 128);  // the tile at (1, 2), drawn round screen point (277, 168)
  for (int i = 0; i < 5; ++i) {
    const TParticle& p = particles.All()[i];
    const double angle = i * 2 * std::numbers::pi / 5, speed = std::hypot(p.DX, p.DY);
    EXPECT_TRUE(p.Active && p.Life == ParticleLife && p.Shape <= 1) << i;
    EXPECT_NEAR(std::hypot(p.X - 277 - 10 * std::cos(angle), p.Y - 168 - 10 * std::sin(angle)), 0, 1e-4) << i;
    EXPECT_NEAR(std::hypot(p.DX - speed * std::cos(angle), p.DY - speed * std::sin(angle)), 0, 1e-4) << i;
    EXPECT_TRUE(speed > 0.9999 && speed < 2.9001 && std::abs(speed * 10 - std::round(speed * 10)) < 1e-3) << speed;
  }
  EXPECT_FALSE(particles.All()[5].Active);
  const TParticle first = particles.All()[0];
  particles.Update();
  EXPECT_EQ(std::pair(particles.All()[0].X, particles.All()[0].Y), std::pair(first.X + first.DX, first.Y + first.DY));
  for (int tick = 2; tick < ParticleLife; ++tick) particles.Update();
  const TParticle last = particles.All()[0];
  particles.Update();
  EXPECT_TRUE(last.Active && !particles.All()[0].Active);
  EXPECT_EQ(particles.All()[0].X, last.X) << "no move on the last tick";
}
