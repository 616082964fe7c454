#include "batch/run_schedule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch/seed_derivation.h"
#include "run_description/parameter_table.h"
#include "tests/support/case_name.h"

namespace batch {
namespace {

constexpr std::int32_t kBaseSeed = 99;
constexpr std::uint64_t kReplicates = 2;

SweepGrid TenPoints() {
  const std::vector<std::string> sweeps = {"medianR=0:0.9:0.1"};
  return *BuildSweepGrid(sweeps, run::DefaultRunArguments(),
                         std::vector<bool>(run::ParameterTable().size(), false))
              .grid;
}

struct ShardCase {
  const char* name;
  Shard shard;
  std::vector<std::uint64_t> points;  // global points, in order
};

const ShardCase kShards[] = {
    {"Whole", {0, 1}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
    {"FirstOfThree", {0, 3}, {0, 3, 6, 9}},
    {"SecondOfThree", {1, 3}, {1, 4, 7}},
    {"ThirdOfThree", {2, 3}, {2, 5, 8}},
    {"AsManyAsPoints", {9, 10}, {9}},
    {"MoreShardsThanPoints", {11, 12}, {}},
};

class ShardedSchedule : public ::testing::TestWithParam<ShardCase> {};

TEST_P(ShardedSchedule, TakesItsPointsWithTheWholeSweepsNumbersAndSeeds) {
  const SweepGrid grid = TenPoints();
  const RunSchedule schedule(grid, kReplicates, GetParam().shard, kBaseSeed);
  const std::vector<std::uint64_t>& points = GetParam().points;
  ASSERT_EQ(schedule.PointCount(), points.size());
  EXPECT_EQ(schedule.RunCount(), points.size() * kReplicates);
  for (std::uint64_t local = 0; local < points.size(); ++local) {
    const std::uint64_t g = points[local];
    EXPECT_EQ(schedule.GlobalPoint(local), g);
    EXPECT_EQ(schedule.Arguments(local).medianR, grid.PointArguments(g).medianR);
    for (std::uint64_t r = 0; r < kReplicates; ++r) {
      EXPECT_EQ(schedule.RunIndex(local, r), g * kReplicates + r);
      EXPECT_EQ(schedule.Seed(local, r), DeriveRunSeed(kBaseSeed, g, r));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ShardedSchedule, ::testing::ValuesIn(kShards),
                         test_support::CaseName());

class SamePopulationsSchedule : public ::testing::TestWithParam<ShardCase> {};

TEST_P(SamePopulationsSchedule, SeedsEveryPointsReplicateAlike) {
  const SweepGrid grid = TenPoints();
  const RunSchedule schedule(grid, kReplicates, GetParam().shard, kBaseSeed,
                             SeedScheme::kSamePopulations);
  EXPECT_EQ(schedule.Seeds(), SeedScheme::kSamePopulations);
  for (std::uint64_t local = 0; local < schedule.PointCount(); ++local) {
    for (std::uint64_t r = 0; r < kReplicates; ++r) {
      EXPECT_EQ(schedule.Seed(local, r), DeriveSharedRunSeed(kBaseSeed, r));
      EXPECT_EQ(schedule.RunIndex(local, r), GetParam().points[local] * kReplicates + r);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SamePopulationsSchedule, ::testing::ValuesIn(kShards),
                         test_support::CaseName());

}  // namespace
}  // namespace batch
