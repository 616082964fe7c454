#include "batch/measures.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace batch
