#include "tests/support/math_call_recorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include "model/population_model.h"
#include "tests/support/case_name.h"
#include "tests/support/sample_arguments.h"

namespace test_support {
namespace {

using model::CPopulationModel;
using model::RunArguments;

constexpr std::int32_t kSeed = 2024;

struct RecorderCase {
  const char* name;
  RunArguments arguments;
  int correlations;  // each applied correlation takes one sqrt of its own
};

const RecorderCase kCases[] = {
    {"Defaults", run::DefaultRunArguments(), 0},
    {"AllNormalSanctions", AllNormalUncorrelatedArguments(), 0},
    {"AllNormalSanctionsCorrelated", AllNormalArguments(), 3},
};

bool SameBits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

long CountOf(const MathCalls& calls, MathFunction function) {
  return std::count_if(calls.begin(), calls.end(),
                       [function](const MathCall& c) { return c.function == function; });
}

class MathCallRecorder : public ::testing::TestWithParam<RecorderCase> {
 protected:
  MathCallRecorder() {
    shipped.fixedSeed = kSeed;
    recorded.fixedSeed = kSeed;
    shipped.Run(GetParam().arguments);
    calls = RecordMathCalls(recorded, GetParam().arguments);
  }

  CPopulationModel shipped;
  CPopulationModel recorded;
  MathCalls calls;
};

TEST_P(MathCallRecorder, RecordedRunGivesTheShippedRunsResults) {
  for (int s = 0; s < model::kSeriesCount; ++s) {
    for (int k = 0; k < model::kStepCount; ++k) {
      ASSERT_TRUE(SameBits(shipped.Series()[s][k], recorded.Series()[s][k]))
          << "series " << s << " point " << k;
    }
  }
  for (int i = 0; i < shipped.agentCount; ++i) {
    ASSERT_TRUE(SameBits(shipped.propensity[i], recorded.propensity[i])) << "agent " << i;
    ASSERT_TRUE(SameBits(shipped.sanctionPropensity[i], recorded.sanctionPropensity[i]))
        << "agent " << i;
  }
}

TEST_P(MathCallRecorder, ReplayingACallReturnsWhatTheRunGot) {
  ASSERT_FALSE(calls.empty());
  for (std::size_t j = 0; j < calls.size(); ++j) {
    ASSERT_TRUE(SameBits(Evaluate(calls[j]), calls[j].result)) << "call " << j;
  }
}

TEST_P(MathCallRecorder, BeginsWithTheTwoCostScales) {
  const RunArguments& a = GetParam().arguments;
  ASSERT_GE(calls.size(), 2u);
  const double n = a.agentCount;
  EXPECT_EQ(calls[0].function, MathFunction::kPow);
  EXPECT_EQ(calls[0].first, n);
  EXPECT_EQ(calls[0].second, -a.paramJ);
  EXPECT_EQ(calls[1].function, MathFunction::kPow);
  EXPECT_EQ(calls[1].first, n);
  EXPECT_EQ(calls[1].second, -a.paramJPrime);
}

// A normal pair takes one log and one sqrt; a correlation one more sqrt.
TEST_P(MathCallRecorder, CountsOneLogPerNormalPair) {
  EXPECT_EQ(CountOf(calls, MathFunction::kSqrt) - CountOf(calls, MathFunction::kLog),
            GetParam().correlations);
}

// The dynamics makes at most one exp per agent and step and one pow per
// propensity update, plus the sanction term's pow per step.
TEST_P(MathCallRecorder, DynamicsStaysWithinItsCallBudget) {
  const RunArguments& a = GetParam().arguments;
  const long agentSteps = static_cast<long>(a.agentCount) * model::kStepCount;
  const long updatesPerAgent = a.sanctionsOn ? 2 : 1;
  EXPECT_GT(CountOf(calls, MathFunction::kExp), 0);
  EXPECT_LE(CountOf(calls, MathFunction::kExp), agentSteps);
  EXPECT_LE(CountOf(calls, MathFunction::kPow),
            2 + agentSteps * updatesPerAgent + (a.sanctionsOn ? model::kStepCount : 0));
}

INSTANTIATE_TEST_SUITE_P(Configurations, MathCallRecorder, ::testing::ValuesIn(kCases), CaseName());

TEST(MathCallRecorderScope, RecordsNothingOutsideARecordedRun) {
  CPopulationModel model;
  model.fixedSeed = kSeed;
  const MathCalls calls = RecordMathCalls(model, run::DefaultRunArguments());
  EXPECT_EQ(RecordingMath::Exp(0.0), 1.0);
  const MathCalls again = RecordMathCalls(model, run::DefaultRunArguments());
  EXPECT_EQ(again.size(), calls.size());
}

}  // namespace
}  // namespace test_support
