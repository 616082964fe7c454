// The response curve is what `corvellan-run` prints for the command it shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "batch/response_sweep.h"
#include "batch/run_values.h"
#include "batch/summary_statistics.h"
#include "cli/runner.h"
#include "model/result_series.h"
#include "run_description/number_text.h"
#include "run_description/parameter_table.h"
#include "tests/cli/command_line_helpers.h"
#include "tests/support/case_name.h"
#include "tests/support/sample_arguments.h"

namespace batch {
namespace {

using cli::testing::Lines;
using cli::testing::Split;

std::vector<double> PositionValues(int first, int last, double step) {
  std::vector<double> values;
  for (int p = first; p <= last; ++p) values.push_back(p * step);
  return values;
}

std::vector<double> CountValues() {
  std::vector<double> counts;
  for (int p = 0; p <= 100; p += 5) counts.push_back(static_cast<int>(p * 0.01 * 100));
  return counts;
}

struct ResponseCase {
  const char* name;
  std::string parameter;
  std::vector<double> values;
  ResponseMeasure measure;
  int series;
  std::uint64_t replicates;
};

const std::vector<ResponseCase>& Cases() {
  static const std::vector<ResponseCase> cases = {
      {"JFinalValue", "paramJ", PositionValues(0, 100, 0.01), ResponseMeasure::kFinalValue,
       model::kFirstOrderRate, 4},
      {"CountLateMean", "requestedCountR", CountValues(), ResponseMeasure::kLateMean,
       model::kMeanPropensity, 3},
      {"KindOfILateMean",
       "distI",
       {0, 1, 2},
       ResponseMeasure::kLateMean,
       model::kSecondOrderRate,
       6},
  };
  return cases;
}

ResponseRequest RequestOf(const ResponseCase& c) {
  ResponseRequest request;
  request.arguments = test_support::AllNormalArguments();
  request.seed = 2718;
  request.axis = {c.parameter, *run::FindParameter(c.parameter), c.values, 0};
  request.series = c.series;
  request.measure = c.measure;
  request.replicates = c.replicates;
  return request;
}

class ResponseSweep : public testing::TestWithParam<ResponseCase> {};

TEST_P(ResponseSweep, GivesWhatItsOwnCommandsRunsGive) {
  const ResponseRequest request = RequestOf(GetParam());
  const std::atomic<bool> stop{false};
  const auto points = ComputeResponse(request, 2, stop);
  ASSERT_TRUE(points.has_value());
  ASSERT_EQ(points->size(), request.axis.values.size());

  std::istringstream words(ResponseSweepCommand(request));
  std::vector<std::string> args;
  for (std::string word; words >> word;) args.push_back(word);
  ASSERT_EQ(args.front(), "corvellan-run");
  args.erase(args.begin());
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(cli::RunCommandLine(args, out, err), cli::kExitSuccess) << err.str();

  // run index -> its values, as the runner printed them (9 digits give the float back).
  std::map<std::uint64_t, std::vector<float>> runs;
  const std::vector<std::string> lines = Lines(out.str());
  const std::size_t stepColumn = 3 + run::ParameterTable().size();
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::string> cells = Split(lines[i]);
    std::vector<float>& values = runs[std::stoull(cells[0])];
    values.resize(kValuesPerRun);
    const int step = std::stoi(cells[stepColumn]);
    for (int s = 0; s < model::kSeriesCount; ++s) {
      values[ValueIndex(s, step)] = std::strtof(cells[stepColumn + 1 + s].c_str(), nullptr);
    }
  }
  ASSERT_EQ(runs.size(), points->size() * request.replicates);

  const std::string csv = ResponseCsv(request, *points);
  const std::vector<std::string> csvLines = Lines(csv);
  EXPECT_EQ(csvLines[0], "# " + ResponseSweepCommand(request));
  EXPECT_EQ(csvLines[1], "# " + MeasureText(request.series, request.measure));
  EXPECT_EQ(csvLines[2], GetParam().parameter + ",median,q05,q95,mean,sd,replicates");
  for (std::size_t g = 0; g < points->size(); ++g) {
    std::vector<double> measures;
    for (std::uint64_t r = 0; r < request.replicates; ++r) {
      measures.push_back(
          MeasureOfRun(runs[g * request.replicates + r], request.series, request.measure));
    }
    const SummaryStatistics s = Summarise(measures);
    const ResponsePoint& p = (*points)[g];
    EXPECT_EQ(p.value, request.axis.values[g]);
    EXPECT_EQ(p.median, s.q50) << "point " << g;
    EXPECT_EQ(p.q05, s.q05) << "point " << g;
    EXPECT_EQ(p.q95, s.q95) << "point " << g;
    EXPECT_EQ(p.mean, s.mean) << "point " << g;
    EXPECT_EQ(p.sd, s.standardDeviation) << "point " << g;
    // The saved file holds these numbers as the runner writes numbers.
    const std::vector<std::string> cells = Split(csvLines[3 + g]);
    ASSERT_EQ(cells.size(), 7U);
    EXPECT_EQ(std::strtod(cells[0].c_str(), nullptr), request.axis.values[g]);
    const double statistics[] = {s.q50, s.q05, s.q95, s.mean, s.standardDeviation};
    for (std::size_t c = 0; c < std::size(statistics); ++c) {
      std::string expected;
      run::AppendSignificant(expected, statistics[c]);
      EXPECT_EQ(cells[1 + c], expected) << "point " << g << " column " << c;
    }
    EXPECT_EQ(cells[6], std::to_string(request.replicates));
  }
}

// A summary column's text at the last step, by grid point.
std::vector<std::string> SummaryAtLastStep(const std::string& summary, const std::string& column) {
  const std::vector<std::string> lines = Lines(summary);
  const std::vector<std::string> header = Split(lines.at(0));
  const auto at = std::find(header.begin(), header.end(), column) - header.begin();
  const auto step = std::find(header.begin(), header.end(), "step") - header.begin();
  std::vector<std::string> texts;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::string> cells = Split(lines[i]);
    if (cells[static_cast<std::size_t>(step)] == std::to_string(model::kStepCount - 1)) {
      texts.push_back(cells[static_cast<std::size_t>(at)]);
    }
  }
  return texts;
}

// The value at the last step is what the runner's own summary gives: its
// median, quantiles, mean and standard deviation, character for character.
TEST(ResponseSweepFinalValue, SavesTheRunnersOwnSummaryText) {
  ResponseRequest request = RequestOf(Cases().front());
  request.samePopulations = true;
  const std::atomic<bool> stop{false};
  const auto points = ComputeResponse(request, 2, stop);
  ASSERT_TRUE(points.has_value());

  std::istringstream words(ResponseSweepCommand(request) + " --summary");
  std::vector<std::string> args;
  for (std::string word; words >> word;) args.push_back(word);
  args.erase(args.begin());
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(cli::RunCommandLine(args, out, err), cli::kExitSuccess) << err.str();

  const std::vector<std::string> csvLines = Lines(ResponseCsv(request, *points));
  const std::string series = model::kSeriesNames[request.series];
  const char* suffixes[] = {"_q50", "_q05", "_q95", "_mean", "_sd"};
  for (std::size_t c = 0; c < std::size(suffixes); ++c) {
    const std::vector<std::string> expected = SummaryAtLastStep(out.str(), series + suffixes[c]);
    ASSERT_EQ(expected.size(), points->size());
    for (std::size_t g = 0; g < points->size(); ++g) {
      EXPECT_EQ(Split(csvLines[3 + g])[1 + c], expected[g]) << suffixes[c] << " point " << g;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ResponseSweep, testing::ValuesIn(Cases()),
                         test_support::CaseName());

}  // namespace
}  // namespace batch
