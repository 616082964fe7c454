// Every level of the map is what `corvellan-run` prints for the command its
// saved file starts with.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "batch/parameter_map.h"
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

std::vector<double> Steps(int count, double step) {
  std::vector<double> values;
  for (int p = 0; p < count; ++p) values.push_back(p * step);
  return values;
}

struct MapCase {
  const char* name;
  bool samePopulations;
  ResponseMeasure measure;
  int series;
  double threshold;
};

const MapCase kCases[] = {
    {"SamePopulationsFinalValue", true, ResponseMeasure::kFinalValue, model::kFirstOrderRate, 0.3},
    {"OwnPopulationsLateMean", false, ResponseMeasure::kLateMean, model::kMeanPropensity, 0.45},
};

MapRequest RequestOf(const MapCase& c) {
  MapRequest request;
  request.arguments = test_support::AllNormalArguments();
  request.seed = 3141;
  request.x = {"J", *run::FindParameter("paramJ"), Steps(21, 0.05), 0};
  request.y = {"N", *run::FindParameter("agentCount"), {10, 40, 70}, 0};
  request.series = c.series;
  request.measure = c.measure;
  request.threshold = c.threshold;
  request.replicates = 3;
  request.samePopulations = c.samePopulations;
  return request;
}

// Run index -> its values, as the runner printed them for command.
std::map<std::uint64_t, std::vector<float>> RunsOfCommand(const std::string& command) {
  std::istringstream words(command);
  std::vector<std::string> args;
  for (std::string word; words >> word;) args.push_back(word);
  EXPECT_EQ(args.front(), "corvellan-run");
  args.erase(args.begin());
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(cli::RunCommandLine(args, out, err), cli::kExitSuccess) << err.str();
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
  return runs;
}

std::string Significant(double value) {
  std::string text;
  run::AppendSignificant(text, value);
  return text;
}

class ParameterMapAgreement : public testing::TestWithParam<MapCase> {};

TEST_P(ParameterMapAgreement, EveryLevelGivesWhatItsOwnCommandsRunsGive) {
  const MapRequest request = RequestOf(GetParam());
  std::vector<MapLevel> levels;
  const std::atomic<bool> stop{false};
  ASSERT_TRUE(ComputeMap(request, 2, stop, [&](const MapLevel& l) { levels.push_back(l); }));
  ASSERT_EQ(levels.size(), 2u);  // 21 positions of J: every other one, then all

  for (const MapLevel& level : levels) {
    const std::string csv = MapCsv(request, level);
    const std::vector<std::string> csvLines = Lines(csv);
    ASSERT_EQ(csvLines.size(), 3 + level.cells.size());
    EXPECT_EQ(csvLines[0], "# " + MapSweepCommand(request, level));
    EXPECT_EQ(csvLines[2], "paramJ,agentCount,median,q05,q95,width,shareAbove,replicates");
    auto runs = RunsOfCommand(MapSweepCommand(request, level));
    ASSERT_EQ(runs.size(), level.cells.size() * request.replicates);
    for (std::size_t g = 0; g < level.cells.size(); ++g) {
      std::vector<double> measures;
      int above = 0;
      for (std::uint64_t r = 0; r < request.replicates; ++r) {
        measures.push_back(
            MeasureOfRun(runs[g * request.replicates + r], request.series, request.measure));
        if (measures.back() > request.threshold) ++above;
      }
      const double share = static_cast<double>(above) / static_cast<double>(request.replicates);
      const SummaryStatistics s = Summarise(measures);
      const MapCell& cell = level.cells[g];
      EXPECT_EQ(cell.median, s.q50) << "point " << g;
      EXPECT_EQ(cell.q05, s.q05) << "point " << g;
      EXPECT_EQ(cell.q95, s.q95) << "point " << g;
      EXPECT_EQ(cell.shareAbove, share) << "point " << g;

      const std::vector<std::string> cells = Split(csvLines[3 + g]);
      ASSERT_EQ(cells.size(), 8u);
      const std::size_t yCount = level.yPositions.size();
      EXPECT_EQ(std::strtod(cells[0].c_str(), nullptr),
                request.x.values[level.xPositions[g / yCount]]);
      EXPECT_EQ(std::strtod(cells[1].c_str(), nullptr),
                request.y.values[level.yPositions[g % yCount]]);
      EXPECT_EQ(cells[2], Significant(s.q50)) << "point " << g;
      EXPECT_EQ(cells[3], Significant(s.q05)) << "point " << g;
      EXPECT_EQ(cells[4], Significant(s.q95)) << "point " << g;
      EXPECT_EQ(cells[5], Significant(s.q95 - s.q05)) << "point " << g;
      EXPECT_EQ(cells[6], Significant(share)) << "point " << g;
      EXPECT_EQ(cells[7], std::to_string(request.replicates));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ParameterMapAgreement, testing::ValuesIn(kCases),
                         test_support::CaseName());

}  // namespace
}  // namespace batch
