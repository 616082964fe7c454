#include "batch/sensitivity_seeds.h"

#include <gtest/gtest.h>

#include <set>

#include "batch/seed_derivation.h"
#include "tests/support/case_name.h"

namespace batch {
namespace {

// The derivation as the help text states it, written out here step by step.
std::int32_t Stated(std::int32_t base, std::uint64_t stream, std::uint64_t row,
                    std::uint64_t replicate) {
  const auto step = [](std::uint64_t h, std::uint64_t v) {
    return SplitMix64Mix(h + v + 0x9E3779B97F4A7C15ull);
  };
  const std::uint64_t streamSeed = step(step(0, static_cast<std::uint32_t>(base)), stream);
  return static_cast<std::int32_t>(
      static_cast<std::uint32_t>(step(step(streamSeed, row), replicate)));
}

struct SeedCase {
  const char* name;
  std::int32_t base;
  SeedStream stream;
  std::uint64_t row;
  std::uint64_t replicate;
};

const SeedCase kSeedCases[] = {
    {"FirstRowOfA", 1, SeedStream::kSobolA, 0, 0},
    {"LaterRowOfB", -7, SeedStream::kSobolB, 1023, 0},
    {"MorrisReplicate", 2147483647, SeedStream::kMorrisTrajectory, 19, 3},
};

class SensitivitySeedTest : public ::testing::TestWithParam<SeedCase> {};

TEST_P(SensitivitySeedTest, FollowsTheStatedDerivation) {
  const SeedCase& c = GetParam();
  EXPECT_EQ(DeriveSensitivitySeed(c.base, c.stream, c.row, c.replicate),
            Stated(c.base, static_cast<std::uint64_t>(c.stream), c.row, c.replicate));
}

INSTANTIATE_TEST_SUITE_P(Cases, SensitivitySeedTest, ::testing::ValuesIn(kSeedCases),
                         test_support::CaseName());

TEST(SensitivitySeedsTest, RowsAndSidesGetDistinctSeeds) {
  std::set<std::int32_t> seeds;
  constexpr std::uint64_t kRows = 2000;
  for (std::uint64_t row = 0; row < kRows; ++row) {
    seeds.insert(DeriveSensitivitySeed(5, SeedStream::kSobolA, row, 0));
    seeds.insert(DeriveSensitivitySeed(5, SeedStream::kSobolB, row, 0));
  }
  EXPECT_EQ(seeds.size(), 2 * kRows);
}

}  // namespace
}  // namespace batch
