#include "batch/response_sweep.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "batch/run_values.h"
#include "model/result_series.h"
#include "run_description/parameter_table.h"
#include "tests/support/case_name.h"

// That each point is what the runner prints for the curve's own command is
// checked in tests/cli/response_sweep_agreement_test.cpp.
namespace batch {
namespace {

ResponseRequest JRequest() {
  ResponseRequest request;
  request.arguments = run::DefaultRunArguments();
  request.arguments.distR = 1;
  request.seed = 11;
  request.axis = {"J", *run::FindParameter("paramJ"), {0.0, 0.5, 1.0}, 1};
  request.replicates = 3;
  return request;
}

TEST(ResponseSweepStop, ARaisedStopGivesNothing) {
  const std::atomic<bool> stop{true};
  EXPECT_FALSE(ComputeResponse(JRequest(), 2, stop).has_value());
}

TEST(ResponseSweep, NoReplicatesGiveNothing) {
  ResponseRequest request = JRequest();
  request.replicates = 0;
  const std::atomic<bool> stop{false};
  EXPECT_FALSE(ComputeResponse(request, 2, stop).has_value());
}

TEST(ResponseSweep, GivesOnePointPerValueWithItsReplicates) {
  const std::atomic<bool> stop{false};
  const auto points = ComputeResponse(JRequest(), 2, stop);
  ASSERT_TRUE(points.has_value());
  ASSERT_EQ(points->size(), 3u);
  for (std::size_t i = 0; i < points->size(); ++i) {
    EXPECT_EQ((*points)[i].value, JRequest().axis.values[i]);
    EXPECT_EQ((*points)[i].replicates, 3u);
    EXPECT_LE((*points)[i].q05, (*points)[i].median);
    EXPECT_LE((*points)[i].median, (*points)[i].q95);
  }
}

struct MeasureCase {
  const char* name;
  ResponseMeasure measure;
  double expected;
};

// A run whose every series holds its step number.
std::vector<float> StepRun() {
  std::vector<float> run(kValuesPerRun);
  for (int s = 0; s < model::kSeriesCount; ++s) {
    for (int k = 0; k < model::kStepCount; ++k) run[ValueIndex(s, k)] = static_cast<float>(k);
  }
  return run;
}

const MeasureCase kMeasureCases[] = {
    {"FinalValue", ResponseMeasure::kFinalValue, 100.0},
    {"LateMean", ResponseMeasure::kLateMean, (81.0 + 100.0) / 2},
};

class MeasureOfRunTest : public testing::TestWithParam<MeasureCase> {};

TEST_P(MeasureOfRunTest, ReadsTheSeriesAtTheLateSteps) {
  EXPECT_EQ(MeasureOfRun(StepRun(), model::kMeanPropensity, GetParam().measure),
            GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, MeasureOfRunTest, testing::ValuesIn(kMeasureCases),
                         test_support::CaseName());

}  // namespace
}  // namespace batch
