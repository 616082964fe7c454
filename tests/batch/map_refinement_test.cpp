#include "batch/map_refinement.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/case_name.h"

namespace batch {
namespace {

struct StrideCase {
  const char* name;
  std::size_t positions;
  std::vector<std::size_t> strides;
};

const StrideCase kStrideCases[] = {
    {"HundredAndOne", 101, {10, 5, 2, 1}},
    {"FiftyOne", 51, {5, 2, 1}},
    {"TwentyOne", 21, {2, 1}},
    {"Eleven", 11, {1}},
    {"Three", 3, {1}},
    {"One", 1, {1}},
};

class RefinementStrideCases : public testing::TestWithParam<StrideCase> {};

TEST_P(RefinementStrideCases, HalveFromACoarseGridToEveryPosition) {
  EXPECT_EQ(RefinementStrides(GetParam().positions), GetParam().strides);
}

TEST_P(RefinementStrideCases, TheCoarsestHoldsElevenPositionsOrAll) {
  const std::size_t positions = GetParam().positions;
  const std::size_t coarse =
      PositionsAtStride(positions, RefinementStrides(positions).front()).size();
  EXPECT_GE(coarse, std::min(positions, kCoarsestPositions));
}

INSTANTIATE_TEST_SUITE_P(Cases, RefinementStrideCases, testing::ValuesIn(kStrideCases),
                         test_support::CaseName());

struct PositionsCase {
  const char* name;
  std::size_t positions;
  std::size_t stride;
  std::vector<std::size_t> chosen;
};

const PositionsCase kPositionsCases[] = {
    {"OnTheGrid", 11, 5, {0, 5, 10}},
    {"LastAddedOffTheGrid", 10, 4, {0, 4, 8, 9}},
    {"EveryOne", 4, 1, {0, 1, 2, 3}},
    {"None", 0, 3, {}},
};

class RefinementPositions : public testing::TestWithParam<PositionsCase> {};

TEST_P(RefinementPositions, TakeEveryStrideThAndTheLast) {
  EXPECT_EQ(PositionsAtStride(GetParam().positions, GetParam().stride), GetParam().chosen);
}

INSTANTIATE_TEST_SUITE_P(Cases, RefinementPositions, testing::ValuesIn(kPositionsCases),
                         test_support::CaseName());

TEST(RefinementLevels, GoCoarseToEveryPositionTheShorterAxisKeepingItsFinest) {
  const std::vector<RefinementLevel> levels = RefinementLevels(101, 3);
  ASSERT_EQ(levels.size(), 4u);
  const std::size_t expectedX[] = {11, 21, 51, 101};
  for (std::size_t i = 0; i < levels.size(); ++i) {
    EXPECT_EQ(levels[i].x.size(), expectedX[i]) << i;
    EXPECT_EQ(levels[i].y, (std::vector<std::size_t>{0, 1, 2})) << i;
  }
}

}  // namespace
}  // namespace batch
