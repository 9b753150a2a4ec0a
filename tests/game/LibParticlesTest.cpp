#include "game/LibParticles.h"

#include "game/LibRandom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

TEST(LibParticlesTest, BurstsFlyOutwardsFromTheirTileAndLiveThirtyTicks) {
  TParticles particles;
  SetRandomSeed(99);
  particles.SpawnBurst(64, 128);  // the tile at (1, 2), drawn at screen point (277, 168)
  for (int i = 0; i < 5; ++i) {
    const TParticle& p = particles.All()[i];
    const double angle = i * 2 * std::numbers::pi / 5, speed = std::hypot(p.DX, p.DY);
    EXPECT_TRUE(p.Active);
    EXPECT_EQ(p.Life, ParticleLife);
    EXPECT_LE(p.Shape, 1);
    EXPECT_NEAR(p.X, 277 + 10 * std::cos(angle), 1e-4) << i;
    EXPECT_NEAR(p.Y, 168 + 10 * std::sin(angle), 1e-4) << i;
    EXPECT_NEAR(p.DX, speed * std::cos(angle), 1e-4) << i;
    EXPECT_NEAR(p.DY, speed * std::sin(angle), 1e-4) << i;
    EXPECT_NEAR(speed * 10, std::round(speed * 10), 1e-3) << "steps of 0.1";
    EXPECT_TRUE(speed >= 1.0 - 1e-6 && speed <= 2.9 + 1e-6) << speed;
  }
  EXPECT_FALSE(particles.All()[5].Active);
  const TParticle first = particles.All()[0];
  particles.Update();
  EXPECT_EQ(particles.All()[0].X, first.X + first.DX);
  EXPECT_EQ(particles.All()[0].Y, first.Y + first.DY);
  for (int tick = 1; tick < ParticleLife - 1; ++tick) particles.Update();
  EXPECT_TRUE(particles.All()[0].Active);
  const float lastX = particles.All()[0].X;
  particles.Update();
  EXPECT_FALSE(particles.All()[0].Active);
  EXPECT_EQ(particles.All()[0].X, lastX) << "no move on the last tick";
}
