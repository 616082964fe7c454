#include "batch/sensitivity_factors.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "run_description/parameter_table.h"
#include "tests/support/case_name.h"

namespace batch {
namespace {

TEST(TrackbarFactorsTest, EveryTrackbarParameterOverItsTrackbarRange) {
  model::RunArguments arguments = run::DefaultRunArguments();
  arguments.agentCount = 250;
  const std::vector<Factor> factors = TrackbarFactors(arguments);
  std::size_t expected = 0;
  for (std::size_t i = 0; i < run::ParameterTable().size(); ++i) {
    const run::ParameterRow& row = run::ParameterTable()[i];
    const bool share = row.fedBy.feeder == run::Feeder::kTrackbarShare;
    if (row.fedBy.feeder != run::Feeder::kTrackbar && !share) continue;
    ASSERT_LT(expected, factors.size());
    const Factor& factor = factors[expected++];
    EXPECT_EQ(factor.parameter, i);
    EXPECT_EQ(FactorName(factor), row.name);
    EXPECT_EQ(factor.discrete, share);
    // A value is the position times the step; a count is the share of the
    // agents truncated, as the window passes it.
    const auto end = [&](std::int32_t position) {
      const double value = position * run::kTrackbarStep;
      return share ? static_cast<double>(static_cast<std::int32_t>(value * arguments.agentCount))
                   : value;
    };
    EXPECT_EQ(factor.lower, end(row.panel.trackbar.minimum)) << row.name;
    EXPECT_EQ(factor.upper, end(row.panel.trackbar.maximum)) << row.name;
  }
  EXPECT_EQ(factors.size(), 20u);
  EXPECT_EQ(expected, factors.size());
}

struct ValueCase {
  const char* name;
  Factor factor;
  double unit;
  double value;
};

const ValueCase kValueCases[] = {
    {"RealLowerEnd", {0, -1.0, 1.0, false}, 0.0, -1.0},
    {"RealUpperEnd", {0, -1.0, 1.0, false}, 1.0, 1.0},
    {"RealMiddle", {0, 1.0, 2.0, false}, 0.25, 1.25},
    {"CountLowest", {0, 10.0, 13.0, true}, 0.0, 10.0},
    {"CountJustBelowSecond", {0, 10.0, 13.0, true}, 0.2499, 10.0},
    {"CountSecond", {0, 10.0, 13.0, true}, 0.25, 11.0},
    {"CountUnitOneIsTheTop", {0, 10.0, 13.0, true}, 1.0, 13.0},
};

class FactorValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(FactorValueTest, MapsTheUnitOntoTheRange) {
  const ValueCase& c = GetParam();
  EXPECT_EQ(FactorValue(c.factor, c.unit), c.value);
}

INSTANTIATE_TEST_SUITE_P(Cases, FactorValueTest, ::testing::ValuesIn(kValueCases),
                         test_support::CaseName());

TEST(FactorValueTest, EveryCountIsEquallyLikely) {
  const Factor factor{0, 0.0, 4.0, true};
  constexpr int kUnits = 1000;
  std::map<double, int> counts;
  for (int k = 0; k < kUnits; ++k) ++counts[FactorValue(factor, (k + 0.5) / kUnits)];
  ASSERT_EQ(counts.size(), 5u);
  for (const auto& [value, count] : counts) EXPECT_EQ(count, kUnits / 5) << value;
}

TEST(ApplyFactorTest, StoresTheValueInTheParameter) {
  model::RunArguments arguments = run::DefaultRunArguments();
  for (const Factor& factor : TrackbarFactors(arguments)) {
    model::RunArguments changed = arguments;
    ApplyFactor(factor, 1.0, changed);
    const run::ParameterRow& row = run::ParameterTable()[factor.parameter];
    EXPECT_EQ(run::ParameterValue(row, changed), factor.upper) << row.name;
  }
}

}  // namespace
}  // namespace batch
