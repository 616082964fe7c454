#include "model/random_source.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace model {
namespace {

std::vector<double> Uniforms(std::int32_t seed, int count) {
  CRandomSource source(seed);
  std::vector<double> values;
  for (int i = 0; i < count; ++i) values.push_back(source.Uniform());
  return values;
}

TEST(RandomSource, SeedOneFillsTheShuffleTable) {
  CRandomSource source(1);
  EXPECT_EQ(source.shuffleTable[0], 784558821);
  EXPECT_EQ(source.shuffleTable[1], 2128236579);
  EXPECT_EQ(source.shuffleTable[2], 1624379149);
  EXPECT_EQ(source.shuffleTable[3], 1358580979);
  EXPECT_EQ(source.lastOutput, 784558821);
  EXPECT_EQ(source.hasSpareGaussian, 0);
}

TEST(RandomSource, FirstUniformsAfterSeedOne) {
  struct Expected {
    double value;
    std::int32_t lastOutput;
  };
  const Expected expected[] = {{0.41599935685098144, 893351816},
                               {0.09196489075755929, 197493099},
                               {0.7564104859514211, 1624379149}};
  CRandomSource source(1);
  for (const Expected& e : expected) {
    EXPECT_EQ(source.Uniform(), e.value);
    EXPECT_EQ(source.lastOutput, e.lastOutput);
  }
}

TEST(RandomSource, FirstGaussiansAfterSeedOne) {
  const double expected[] = {-0.836854, -0.172280, 0.187117, 1.615440};
  CRandomSource source(1);
  for (int i = 0; i < 4; ++i) {
    const double g = source.Gaussian();
    EXPECT_NEAR(g, expected[i], 5e-7) << "deviate " << i;
    // The second of each pair is handed out from single-precision storage.
    const bool fromSpare = i % 2 == 1;
    EXPECT_EQ(static_cast<double>(static_cast<float>(g)) == g, fromSpare) << "deviate " << i;
  }
}

class SeedEquivalence : public ::testing::TestWithParam<std::int32_t> {};

// Seeds that would leave the generator at 0 start like seed 0, which starts like seed 1.
TEST_P(SeedEquivalence, StartsLikeSeedOne) {
  EXPECT_EQ(Uniforms(GetParam(), 50), Uniforms(1, 50));
}

INSTANTIATE_TEST_SUITE_P(DegenerateSeeds, SeedEquivalence,
                         ::testing::Values(0, 1, 2147483647, -2147483647));

TEST(RandomSource, NegativeSeedsFollowTheGenerator) {
  // -5 steps to 16807 * -5 + 2147483647, a different stream from 5 or 1.
  CRandomSource source(-5);
  CRandomSource reference(1);
  EXPECT_NE(source.shuffleTable[0], reference.shuffleTable[0]);
  for (int i = 0; i < 1000; ++i) {
    const double u = source.Uniform();
    ASSERT_GT(u, 0.0);
    ASSERT_LT(u, 1.0);
  }
  CRandomSource lowest(INT32_MIN);
  for (int i = 0; i < 1000; ++i) ASSERT_GT(lowest.Uniform(), 0.0);
}

TEST(RandomSource, UniformStaysInsideTheOpenInterval) {
  CRandomSource source(12345);
  double largest = 0.0;
  for (int i = 0; i < 200000; ++i) {
    const double u = source.Uniform();
    ASSERT_GT(u, 0.0);
    ASSERT_LT(u, 1.0);
    largest = std::max(largest, u);
  }
  EXPECT_LE(largest, CRandomSource::kCappedValue);
}

TEST(RandomSource, RawValuesAboveTheThresholdAreCapped) {
  CRandomSource source(1);
  // Force the slot that Uniform will read to hold the largest raw value.
  const int slot = source.lastOutput / CRandomSource::kSlotDivisor;
  source.shuffleTable[slot] = CRandomSource::kModulus - 1;
  EXPECT_EQ(source.Uniform(), 0.99999988079071044921875);
}

TEST(RandomSource, ReseedingDiscardsTheSpareDeviate) {
  CRandomSource source(7);
  source.Gaussian();
  ASSERT_EQ(source.hasSpareGaussian, 1);
  source.Seed(1);
  CRandomSource fresh(1);
  EXPECT_EQ(source.Gaussian(), fresh.Gaussian());
}

}  // namespace
}  // namespace model
