#include "batch/seed_derivation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <set>

namespace batch {
namespace {

constexpr std::uint64_t kGoldenGamma = 0x9E3779B97F4A7C15ull;

// Outputs of Vigna's splitmix64.c, whose n-th output is mix(seed + n * gamma).
struct KnownMix {
  std::uint64_t input;
  std::uint64_t output;
};

const KnownMix kKnownMixes[] = {
    {kGoldenGamma, 0xE220A8397B1DCDAFull},             // seed 0, first output
    {1234567 + kGoldenGamma, 6457827717110365317ull},  // seed 1234567, first output
};

TEST(SeedDerivation, MixIsTheSplitMix64Finaliser) {
  for (const KnownMix& known : kKnownMixes) {
    EXPECT_EQ(SplitMix64Mix(known.input), known.output) << known.input;
  }
}

struct KnownSeed {
  std::int32_t base;
  std::uint64_t point;
  std::uint64_t replicate;
  std::int32_t seed;
};

// Computed apart from this code, straight from the documented formula.
const KnownSeed kKnownSeeds[] = {
    {1, 0, 0, 1837991619},
    {1, 1, 0, 1126836117},
    {1, 2, 0, 502301536},
    {1, 3, 0, -653260813},
    {5, 0, 0, -582127755},
    {-1, 7, 3, -1385772950},
    {std::numeric_limits<std::int32_t>::min(), 123456789012ull, 99, 1134563055},
};

TEST(SeedDerivation, FollowsTheDocumentedFormula) {
  for (const KnownSeed& known : kKnownSeeds) {
    EXPECT_EQ(DeriveRunSeed(known.base, known.point, known.replicate), known.seed)
        << known.base << " " << known.point << " " << known.replicate;
  }
}

TEST(SeedDerivation, ReplicatesAndPointsDoNotShareSeeds) {
  constexpr std::uint64_t kPoints = 40;
  constexpr std::uint64_t kReplicates = 25;
  std::set<std::int32_t> seeds;
  for (std::uint64_t g = 0; g < kPoints; ++g) {
    for (std::uint64_t r = 0; r < kReplicates; ++r) seeds.insert(DeriveRunSeed(7, g, r));
  }
  EXPECT_EQ(seeds.size(), kPoints * kReplicates);
  // Swapping point and replicate gives another seed.
  EXPECT_NE(DeriveRunSeed(7, 1, 2), DeriveRunSeed(7, 2, 1));
  // So does another base seed.
  EXPECT_NE(DeriveRunSeed(7, 0, 0), DeriveRunSeed(8, 0, 0));
}

// The shared derivation written out again from its documented lines.
std::int32_t SharedSeedByTheFormula(std::int32_t base, std::uint64_t replicate) {
  const auto step = [](std::uint64_t h, std::uint64_t v) {
    return SplitMix64Mix(h + v + kGoldenGamma);
  };
  const std::uint64_t state = step(step(0, static_cast<std::uint32_t>(base)), replicate);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(state & 0xFFFFFFFFull));
}

struct SharedSeedCase {
  std::int32_t base;
  std::uint64_t replicate;
};

const SharedSeedCase kSharedSeedCases[] = {
    {1, 0}, {1, 1}, {5, 7}, {-1, 3}, {std::numeric_limits<std::int32_t>::min(), 99},
};

TEST(SharedSeedDerivation, FollowsTheDocumentedFormula) {
  for (const SharedSeedCase& c : kSharedSeedCases) {
    EXPECT_EQ(DeriveSharedRunSeed(c.base, c.replicate), SharedSeedByTheFormula(c.base, c.replicate))
        << c.base << " " << c.replicate;
  }
}

TEST(SharedSeedDerivation, ReplicatesAndBaseSeedsGetDistinctSeeds) {
  constexpr std::uint64_t kReplicates = 1000;
  std::set<std::int32_t> seeds;
  for (std::uint64_t r = 0; r < kReplicates; ++r) seeds.insert(DeriveSharedRunSeed(7, r));
  EXPECT_EQ(seeds.size(), kReplicates);
  EXPECT_NE(DeriveSharedRunSeed(7, 0), DeriveSharedRunSeed(8, 0));
}

TEST(SharedSeedDerivation, HelpTextGivesTheFormulaAndTheOption) {
  const std::string_view text = SharedSeedDerivationText();
  for (const char* part : {"--same-populations", "step(step(0, S mod 2^32), r)"}) {
    EXPECT_NE(text.find(part), std::string_view::npos) << part;
  }
}

TEST(SeedDerivation, HelpTextGivesTheConstants) {
  const std::string_view text = SeedDerivationText();
  for (const char* constant : {"0x9E3779B97F4A7C15", "0xBF58476D1CE4E5B9", "0x94D049BB133111EB"}) {
    EXPECT_NE(text.find(constant), std::string_view::npos) << constant;
  }
}

}  // namespace
}  // namespace batch
