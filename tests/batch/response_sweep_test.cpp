#include "batch/response_sweep.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "batch/run_values.h"
#include "model/distribution_kind.h"
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

// The median over J at the defaults, every trackbar position of J. With every
// attribute Constant the runs do not depend on their seeds at all, so R is
// drawn from its Normal distribution (its default median and spread).
ResponseRequest DefaultJCurve(bool samePopulations) {
  constexpr int kPositions = 101;
  constexpr double kStep = 0.01;
  ResponseRequest request;
  request.arguments = run::DefaultRunArguments();
  request.arguments.distR = static_cast<int>(model::DistributionKind::Normal);
  request.seed = 20260;
  request.axis = {"J", *run::FindParameter("paramJ"), {}, 0};
  for (int p = 0; p < kPositions; ++p) request.axis.values.push_back(p * kStep);
  request.series = model::kFirstOrderRate;
  request.replicates = 8;
  request.samePopulations = samePopulations;
  return request;
}

double SumOfSquaredSecondDifferences(const std::vector<ResponsePoint>& points) {
  double sum = 0.0;
  for (std::size_t i = 2; i < points.size(); ++i) {
    const double second = points[i].median - 2 * points[i - 1].median + points[i - 2].median;
    sum += second * second;
  }
  return sum;
}

TEST(ResponseSweepSamePopulations, MakeTheMedianOverJSmoother) {
  const std::atomic<bool> stop{false};
  const auto own = ComputeResponse(DefaultJCurve(false), 2, stop);
  const auto same = ComputeResponse(DefaultJCurve(true), 2, stop);
  ASSERT_TRUE(own && same);
  EXPECT_LT(SumOfSquaredSecondDifferences(*same), SumOfSquaredSecondDifferences(*own));
}

TEST(ResponseSweepSamePopulations, OneAndTwoJobsGiveTheSameBytes) {
  const ResponseRequest request = DefaultJCurve(true);
  const std::atomic<bool> stop{false};
  const auto one = ComputeResponse(request, 1, stop);
  const auto two = ComputeResponse(request, 2, stop);
  ASSERT_TRUE(one && two);
  EXPECT_EQ(ResponseCsv(request, *one), ResponseCsv(request, *two));
}

TEST(ResponseSweepSamePopulations, TheCommandSaysSo) {
  EXPECT_NE(ResponseSweepCommand(DefaultJCurve(true)).find(" --same-populations"),
            std::string::npos);
  EXPECT_EQ(ResponseSweepCommand(DefaultJCurve(false)).find("--same-populations"),
            std::string::npos);
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
