#include "batch/sensitivity_analysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <string>

#include "batch/seeded_run.h"
#include "model/result_series.h"
#include "run_description/parameter_table.h"
#include "tests/support/case_name.h"

namespace batch {
namespace {

constexpr std::size_t kBaseRows = 32;
constexpr int kLateFirst = 81;
constexpr int kLast = model::kStepCount - 1;
constexpr int kNormal = 1;
constexpr int kConstant = 0;

// Sanctions off; R and I Normal, T, E and R' Constant.
SensitivityContext SanctionsOffContext() {
  SensitivityContext context;
  context.arguments = run::DefaultRunArguments();
  context.arguments.sanctionsOn = 0;
  context.arguments.distR = kNormal;
  context.arguments.distI = kNormal;
  context.arguments.distT = kConstant;
  context.arguments.distE = kConstant;
  context.arguments.distRPrime = kConstant;
  context.factors = TrackbarFactors(context.arguments);
  context.seed = 2024;
  return context;
}

// What the model does not read in that context: everything of R' and of the
// sanctions, the spreads of the Constant attributes and the correlations
// that involve one of them.
const std::set<std::string> kUnread = {
    "medianRPrime", "sigmaRPrime", "paramJPrime", "paramM",      "requestedCountRPrime",
    "sigmaT",       "sigmaE",      "corrRRPrime", "corrRPrimeI", "corrET"};

struct MeasureCase {
  const char* name;
  SeriesMeasure measure;
};

const MeasureCase kMeasures[] = {
    {"FinalFirstOrderRate", {model::kFirstOrderRate, kLast, kLast}},
    {"LateMeanPropensity", {model::kMeanPropensity, kLateFirst, kLast}},
};

EngineSettings Jobs(unsigned jobs) {
  EngineSettings engine;
  engine.jobs = jobs;
  return engine;
}

class SensitivityAnalysisTest : public ::testing::TestWithParam<MeasureCase> {};

TEST_P(SensitivityAnalysisTest, SobolGivesExactlyZeroToWhatTheModelDoesNotRead) {
  const SensitivityContext context = SanctionsOffContext();
  const SobolModelDesign design(context, kBaseRows);
  const std::atomic<bool> stop{false};
  const SobolAnalysis analysis =
      AnalyseSobol(design, {kBaseRows, GetParam().measure, 20}, Jobs(2), stop);
  ASSERT_EQ(analysis.outcome.end, DesignEnd::kComplete) << analysis.outcome.failure;
  ASSERT_EQ(analysis.indices.size(), context.factors.size() + 1);
  for (std::size_t f = 0; f < context.factors.size(); ++f) {
    const std::string name(FactorName(context.factors[f]));
    if (!kUnread.contains(name)) continue;
    EXPECT_EQ(analysis.indices[f].first, 0.0) << name;
    EXPECT_EQ(analysis.indices[f].total, 0.0) << name;
    EXPECT_EQ(analysis.indices[f].totalHigh, 0.0) << name;
  }
  // The draw matters in a population of 100 agents.
  EXPECT_GT(analysis.indices.back().total, 0.0);
}

TEST_P(SensitivityAnalysisTest, MorrisGivesNoEffectToWhatTheModelDoesNotRead) {
  const SensitivityContext context = SanctionsOffContext();
  const MorrisModelDesign design(context, {10, 4, 0});
  const std::atomic<bool> stop{false};
  const MorrisAnalysis analysis = AnalyseMorris(design, GetParam().measure, Jobs(2), stop);
  ASSERT_EQ(analysis.outcome.end, DesignEnd::kComplete) << analysis.outcome.failure;
  double largest = 0.0;
  for (std::size_t f = 0; f < context.factors.size(); ++f) {
    const std::string name(FactorName(context.factors[f]));
    largest = std::max(largest, analysis.effects[f].muStar);
    if (!kUnread.contains(name)) continue;
    EXPECT_EQ(analysis.effects[f].muStar, 0.0) << name;
    EXPECT_EQ(analysis.effects[f].sigma, 0.0) << name;
  }
  EXPECT_GT(largest, 0.0);
}

TEST_P(SensitivityAnalysisTest, EveryRunRepeatsAloneAndTheJobsChangeNothing) {
  SensitivityContext context = SanctionsOffContext();
  context.replicates = 2;
  const SobolModelDesign design(context, 4);
  const std::atomic<bool> stop{false};
  const SobolRequest request{4, GetParam().measure, 10};
  const SobolAnalysis one = AnalyseSobol(design, request, Jobs(1), stop);
  const SobolAnalysis two = AnalyseSobol(design, request, Jobs(2), stop);
  ASSERT_EQ(one.outcome.end, DesignEnd::kComplete);
  EXPECT_EQ(one.measured.runs, two.measured.runs);
  EXPECT_EQ(one.measured.records, two.measured.records);
  SeededRunner runner;
  std::vector<float> values(kValuesPerRun);
  for (std::uint64_t record = 0; record < design.RecordCount(); ++record) {
    double sum = 0.0;
    for (std::uint64_t run = 0; run < 2; ++run) {
      runner.Run(design.Arguments(record), design.Seed(record, run), values);
      const double measure = GetParam().measure.Of(values);
      EXPECT_EQ(one.measured.runs[record * 2 + run], measure);
      sum += measure;
    }
    EXPECT_EQ(one.measured.records[record], sum / 2);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SensitivityAnalysisTest, ::testing::ValuesIn(kMeasures),
                         test_support::CaseName());

}  // namespace
}  // namespace batch
