#include "platform/trackbar_steps.h"

#include <gtest/gtest.h>

namespace platform_test {
namespace {

using platform::DefaultPageSize;
using platform::StepTarget;
using platform::TrackbarRange;

TEST(DefaultPageSize, IsAFifthOfTheRangeAndAtLeastOne) {
  EXPECT_EQ(DefaultPageSize({0, 100}), 20);
  EXPECT_EQ(DefaultPageSize({-100, 100}), 40);
  EXPECT_EQ(DefaultPageSize({0, 35}), 7);
  EXPECT_EQ(DefaultPageSize({100, 200}), 20);
  EXPECT_EQ(DefaultPageSize({0, 4}), 1);
  EXPECT_EQ(DefaultPageSize({3, 3}), 1);
}

struct StepCase {
  platform::ScrollCode code;
  int from;
  int to;
};

class Steps : public testing::TestWithParam<StepCase> {};

constexpr TrackbarRange kRange = {-10, 10};
constexpr int kPage = 4;

TEST_P(Steps, MoveAndClampIntoTheRange) {
  EXPECT_EQ(StepTarget(GetParam().code, kRange, GetParam().from, kPage), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, Steps,
    testing::Values(StepCase{platform::kTbLineUp, 0, -1}, StepCase{platform::kTbLineUp, -10, -10},
                    StepCase{platform::kTbLineDown, 0, 1}, StepCase{platform::kTbLineDown, 10, 10},
                    StepCase{platform::kTbPageUp, 0, -4}, StepCase{platform::kTbPageUp, -8, -10},
                    StepCase{platform::kTbPageDown, 0, 4}, StepCase{platform::kTbPageDown, 7, 10},
                    StepCase{platform::kTbTop, 3, -10}, StepCase{platform::kTbBottom, 3, 10},
                    StepCase{platform::kTbEndTrack, 3, 3}));

}  // namespace
}  // namespace platform_test
