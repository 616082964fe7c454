#include "batch/measures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "batch/run_values.h"
#include "model/result_series.h"
#include "tests/support/case_name.h"

namespace batch {
namespace {

// A run whose series s holds s + step / 1000 at each step, so that a measure
// that reads the wrong series or step gives a different number.
std::vector<float> LabelledRun() {
  std::vector<float> run(kValuesPerRun);
  for (int s = 0; s < model::kSeriesCount; ++s) {
    for (int k = 0; k < model::kStepCount; ++k) {
      run[ValueIndex(s, k)] = static_cast<float>(s) + static_cast<float>(k) / 1000.0f;
    }
  }
  return run;
}

struct MeanCase {
  const char* name;
  int series;
  int first;
  int last;
};

const MeanCase kMeanCases[] = {
    {"OneStep", 2, 40, 40},
    {"LateStepsOfTheFirstSeries", 0, 81, 100},
    {"EveryStepOfTheLastSeries", 4, 0, 100},
};

class MeanOverStepsTest : public ::testing::TestWithParam<MeanCase> {};

TEST_P(MeanOverStepsTest, AddsTheStepsInOrderInDoublePrecision) {
  const MeanCase& c = GetParam();
  const std::vector<float> run = LabelledRun();
  double sum = 0.0;
  for (int k = c.first; k <= c.last; ++k) sum += run[ValueIndex(c.series, k)];
  EXPECT_EQ(MeanOverSteps(run, c.series, c.first, c.last), sum / (c.last - c.first + 1));
}

INSTANTIATE_TEST_SUITE_P(Cases, MeanOverStepsTest, ::testing::ValuesIn(kMeanCases),
                         test_support::CaseName());

TEST(ValueAtStep, ReadsTheSeriesAtTheStep) {
  const std::vector<float> run = LabelledRun();
  EXPECT_EQ(ValueAtStep(run, 3, 100), 3.1f);
  EXPECT_EQ(ValueAtStep(run, 0, 0), 0.0f);
  EXPECT_EQ(ValueAtStep(run, 1, 7), 1.007f);
}

struct DistanceCase {
  const char* name;
  std::vector<run::ObservedPoint> points;
};

const DistanceCase kDistanceCases[] = {
    {"OnePointOnTheRun", {{2, 40, 2.04f}}},
    {"OnePointOff", {{0, 10, 0.5}}},
    {"PointsOfSeveralSeries", {{0, 0, 0.0}, {1, 50, 0.9}, {4, 100, 4.2}, {4, 3, 4.0}}},
};

class RootMeanSquareDistanceTest : public ::testing::TestWithParam<DistanceCase> {};

TEST_P(RootMeanSquareDistanceTest, IsTheRootOfTheMeanSquaredGapOverThePoints) {
  const std::vector<float> run = LabelledRun();
  const std::vector<run::ObservedPoint>& points = GetParam().points;
  double sum = 0.0;
  for (const run::ObservedPoint& p : points) {
    const double gap = static_cast<double>(p.series) + p.step / 1000.0 - p.value;
    sum += gap * gap;
  }
  // The run holds floats: its values differ from the decimal ones in the
  // eighth digit.
  EXPECT_NEAR(RootMeanSquareDistance(run, points), std::sqrt(sum / points.size()), 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Cases, RootMeanSquareDistanceTest, ::testing::ValuesIn(kDistanceCases),
                         test_support::CaseName());

TEST(RootMeanSquareDistance, IsZeroOnTheRunItself) {
  const std::vector<float> run = LabelledRun();
  std::vector<run::ObservedPoint> points;
  for (int s = 0; s < model::kSeriesCount; ++s) {
    for (int k = 0; k < model::kStepCount; k += 7) points.push_back({s, k, run[ValueIndex(s, k)]});
  }
  EXPECT_EQ(RootMeanSquareDistance(run, points), 0.0);
}

}  // namespace
}  // namespace batch
