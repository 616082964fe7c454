#include "cli/sensitivity_command.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "model/result_series.h"
#include "tests/cli/command_line_helpers.h"
#include "tests/cli/working_folder.h"
#include "tests/support/case_name.h"

namespace cli::testing {
namespace {

constexpr int kSeriesColumn = 1;  // firstOrderRate, after the step

// A context where several parameters matter, small enough designs to run fast.
const std::vector<std::string> kContext = {"--seed", "11", "--distR", "1", "--distI", "1"};

std::vector<std::string> With(std::vector<std::string> extra) {
  std::vector<std::string> args = kContext;
  args.insert(args.end(), extra.begin(), extra.end());
  return args;
}

struct DesignCase {
  const char* name;
  std::vector<std::string> options;
  std::size_t factorRows;  // with the draw's, for Sobol
  bool json = false;
};

const DesignCase kDesigns[] = {
    {"SobolCsv", {"--sensitivity", "sobol", "--samples", "8", "--resamples", "20"}, 21},
    {"SobolJson",
     {"--sensitivity", "sobol", "--samples", "8", "--format", "json", "--point-replicates", "2"},
     21,
     true},
    {"MorrisCsv", {"--sensitivity", "morris", "--trajectories", "4", "--levels", "6"}, 20},
    {"SobolTwoFactorsMean",
     {"--sensitivity", "sobol", "--samples", "16", "--factors", "valueT,paramX", "--range",
      "paramX=-0.5:0.5", "--measure-steps", "81:100", "--measure-series", "meanPropensity"},
     3},
};

class SensitivityCommandTest : public ::testing::TestWithParam<DesignCase> {};

TEST_P(SensitivityCommandTest, OneAndTwoJobsWriteTheSameBytes) {
  const DesignCase& c = GetParam();
  std::vector<std::string> one = With(c.options);
  std::vector<std::string> two = one;
  one.insert(one.end(), {"--jobs", "1"});
  two.insert(two.end(), {"--jobs", "2"});
  const Outcome first = Invoke(one);
  const Outcome second = Invoke(two);
  ASSERT_EQ(first.status, kExitSuccess) << first.err;
  EXPECT_EQ(first.out, second.out);
  EXPECT_TRUE(first.err.empty());
}

TEST_P(SensitivityCommandTest, TheFirstLineRepeatsTheAnalysis) {
  const DesignCase& c = GetParam();
  const Outcome first = Invoke(With(c.options));
  ASSERT_EQ(first.status, kExitSuccess) << first.err;
  const std::string marker = "corvellan-run ";
  const std::size_t start = first.out.find(marker) + marker.size();
  const std::size_t end = first.out.find_first_of("\"\n", start);
  std::vector<std::string> repeated;
  std::istringstream words(first.out.substr(start, end - start));
  for (std::string word; words >> word;) repeated.push_back(word);
  if (c.json) repeated.insert(repeated.end(), {"--format", "json"});
  EXPECT_EQ(Invoke(repeated).out, first.out);
}

TEST_P(SensitivityCommandTest, WritesOneRowPerFactor) {
  const DesignCase& c = GetParam();
  const Outcome outcome = Invoke(With(c.options));
  if (c.json) {
    std::size_t objects = 0;
    for (std::size_t at = outcome.out.find("{\"factor\":"); at != std::string::npos;
         at = outcome.out.find("{\"factor\":", at + 1)) {
      ++objects;
    }
    EXPECT_EQ(objects, c.factorRows);
    EXPECT_EQ(outcome.out.rfind("{\"command\":\"corvellan-run --seed 11 ", 0), 0u);
    return;
  }
  const std::vector<std::string> lines = Lines(outcome.out);
  ASSERT_EQ(lines.size(), 2 + c.factorRows);
  EXPECT_EQ(lines[0].rfind("# corvellan-run --seed 11 ", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, SensitivityCommandTest, ::testing::ValuesIn(kDesigns),
                         test_support::CaseName());

// The measure the single run of `args` gives: firstOrderRate at step, a
// float that the run's 9 significant digits carry exactly.
float SingleRunMeasure(const std::vector<std::string>& args, int step) {
  const Outcome run = Invoke(args);
  EXPECT_EQ(run.status, kExitSuccess) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  const std::vector<std::string> cells = Split(lines[2 + static_cast<std::size_t>(step)], ',');
  return std::stof(cells[kSeriesColumn]);
}

struct RerunCase {
  const char* name;
  std::vector<std::string> options;
};

const RerunCase kReruns[] = {
    {"Sobol", {"--sensitivity", "sobol", "--samples", "2", "--point-replicates", "2"}},
    {"Morris", {"--sensitivity", "morris", "--trajectories", "2"}},
};

class DesignOutTest : public ::testing::TestWithParam<RerunCase> {};

TEST_P(DesignOutTest, EveryRowRerunAloneGivesItsMeasure) {
  const WorkingFolder folder;
  std::vector<std::string> args = With(GetParam().options);
  args.insert(args.end(), {"--design-out", "design.csv"});
  const Outcome outcome = Invoke(args);
  ASSERT_EQ(outcome.status, kExitSuccess) << outcome.err;
  const std::vector<std::string> lines = Lines(Read("design.csv"));
  ASSERT_GT(lines.size(), 3u);
  EXPECT_EQ(lines[0].substr(0, 2), "# ");
  const std::vector<std::string> header = Split(lines[1], ',');
  constexpr std::size_t kPlaceColumns = 3;  // place, row or point, replicate
  for (std::size_t l = 2; l < lines.size(); ++l) {
    const std::vector<std::string> cells = Split(lines[l], ',');
    ASSERT_EQ(cells.size(), header.size());
    std::vector<std::string> rerun = {"--distR", "1", "--distI", "1"};
    for (std::size_t c = kPlaceColumns; c + 2 < cells.size(); ++c) {
      rerun.push_back("--" + header[c]);
      rerun.push_back(cells[c]);
    }
    rerun.insert(rerun.end(), {"--seed", cells[cells.size() - 2]});
    EXPECT_EQ(SingleRunMeasure(rerun, model::kStepCount - 1),
              static_cast<float>(std::stod(cells.back())))
        << lines[l];
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, DesignOutTest, ::testing::ValuesIn(kReruns),
                         test_support::CaseName());

struct RefusalCase {
  const char* name;
  std::vector<std::string> args;
  const char* says;
};

const RefusalCase kRefusals[] = {
    {"UnknownMethod", {"--sensitivity", "fast"}, "expected sobol or morris"},
    {"OddLevels", {"--sensitivity", "morris", "--levels", "3"}, "--levels"},
    {"NoSamples", {"--sensitivity", "sobol", "--samples", "0"}, "--samples"},
    {"RangeBeyondTrackbar", {"--sensitivity", "sobol", "--range", "paramJ=0:2"}, "--range paramJ"},
    {"RangeOfNoFactor",
     {"--sensitivity", "sobol", "--factors", "paramJ", "--range", "valueT=0:1"},
     "not one of the factors"},
    {"FractionOfAnAgent",
     {"--sensitivity", "sobol", "--range", "requestedCountR=0.5:9"},
     "whole numbers"},
    {"UnknownFactor", {"--sensitivity", "sobol", "--factors", "paramJ,agentCount"}, "--factors"},
    {"StepsBackwards", {"--sensitivity", "sobol", "--measure-steps", "90:80"}, "--measure-steps"},
    {"UnknownSeries", {"--sensitivity", "sobol", "--measure-series", "rate"}, "--measure-series"},
    {"DetailAlone", {"--samples", "8"}, "--samples works with --sensitivity only"},
    {"WithASweep", {"--sensitivity", "sobol", "--sweep", "paramJ=0,1"}, "no --sweep"},
    {"JsonLines", {"--sensitivity", "morris", "--format", "jsonl"}, "csv or json"},
};

class SensitivityRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(SensitivityRefusalTest, RefusesWithOneLineAndWritesNothing) {
  const RefusalCase& c = GetParam();
  const Outcome outcome = Invoke(c.args);
  EXPECT_EQ(outcome.status, kExitBadInput);
  EXPECT_TRUE(outcome.out.empty());
  EXPECT_NE(outcome.err.find(c.says), std::string::npos) << outcome.err;
  EXPECT_EQ(Lines(outcome.err).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Cases, SensitivityRefusalTest, ::testing::ValuesIn(kRefusals),
                         test_support::CaseName());

}  // namespace
}  // namespace cli::testing
