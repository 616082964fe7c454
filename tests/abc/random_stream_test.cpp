#include "abc/random_stream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "abc/particle_seeds.h"
#include "batch/seed_derivation.h"

namespace abc {
namespace {

constexpr int kDraws = 100000;
constexpr double kZ = 4.5;

TEST(RandomStream, IsSplitMix64) {
  // The first outputs of SplitMix64 from state 0 (Vigna's splitmix64.c).
  RandomStream random(0);
  EXPECT_EQ(random.Next(), 0xE220A8397B1DCDAFull);
  EXPECT_EQ(random.Next(), 0x6E789E6AA1B965F4ull);
}

TEST(RandomStream, DrawsUniformAndNormalNumbersWithTheirMoments) {
  RandomStream random(42);
  double uniformSum = 0.0;
  double normalSum = 0.0;
  double normalSquares = 0.0;
  for (int i = 0; i < kDraws; ++i) {
    const double u = random.Uniform();
    ASSERT_GE(u, 0.0);
    ASSERT_LT(u, 1.0);
    uniformSum += u;
    const double z = random.Normal();
    normalSum += z;
    normalSquares += z * z;
  }
  EXPECT_NEAR(uniformSum / kDraws, 0.5, kZ * std::sqrt(1.0 / 12 / kDraws));
  EXPECT_NEAR(normalSum / kDraws, 0.0, kZ / std::sqrt(kDraws));
  EXPECT_NEAR(normalSquares / kDraws, 1.0, kZ * std::sqrt(2.0 / kDraws));
}

TEST(RandomStream, DrawsEveryWholeNumberBelowACountAlike) {
  constexpr std::uint64_t kCount = 7;
  RandomStream random(3);
  std::vector<int> seen(kCount, 0);
  for (int i = 0; i < kDraws; ++i) {
    const std::uint64_t k = random.Below(kCount);
    ASSERT_LT(k, kCount);
    ++seen[k];
  }
  const double p = 1.0 / kCount;
  for (const int count : seen) EXPECT_NEAR(count, p * kDraws, kZ * std::sqrt(kDraws * p * (1 - p)));
}

TEST(ParticleSeeds, AreTheBatchSeedsOfThePopulationAndProposal) {
  for (const std::int32_t base : {0, 1, -7, 123456789}) {
    for (std::uint64_t t = 0; t < 3; ++t) {
      for (std::uint64_t j = 0; j < 3; ++j) {
        EXPECT_EQ(ParticleRunSeed(base, t, j), batch::DeriveRunSeed(base, t, j));
        // The proposal's stream is not the run's own seed.
        EXPECT_NE(ProposalKey(base, t, j) & 0xffffffffull,
                  static_cast<std::uint32_t>(ParticleRunSeed(base, t, j)));
      }
    }
  }
}

}  // namespace
}  // namespace abc
