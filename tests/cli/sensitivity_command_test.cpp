#include "cli/sensitivity_command.h"

#include <gtest/gtest.h>

#include <fstream>
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
    {"JoinWithoutSeed", {"--sensitivity", "morris", "--join", "a.csv"}, "--join needs the --seed"},
    {"ShardWithDesignOut",
     {"--sensitivity", "morris", "--shard", "1/2", "--design-out", "d.csv"},
     "leave out --design-out"},
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

struct ShardCase {
  const char* name;
  std::vector<std::string> options;
  int shards;
};

const ShardCase kShardCases[] = {
    {"SobolOneShard", {"--sensitivity", "sobol", "--samples", "4"}, 1},
    {"SobolThreeShards",
     {"--sensitivity", "sobol", "--samples", "5", "--point-replicates", "2"},
     3},
    {"MorrisTwoShardsJson",
     {"--sensitivity", "morris", "--trajectories", "3", "--format", "json"},
     2},
    {"MoreShardsThanRows", {"--sensitivity", "sobol", "--samples", "2"}, 4},
};

class SensitivityShardTest : public ::testing::TestWithParam<ShardCase> {};

// Runs the shards of c into part-1.csv ... and returns the --join arguments.
std::vector<std::string> RunShards(const ShardCase& c) {
  std::vector<std::string> join = {"--join"};
  for (int i = 1; i <= c.shards; ++i) {
    const std::string part = "part-" + std::to_string(i) + ".csv";
    std::vector<std::string> args = With(c.options);
    args.insert(args.end(), {"--shard", std::to_string(i) + "/" + std::to_string(c.shards), "--out",
                             part, "--jobs", "2"});
    const Outcome outcome = Invoke(args);
    EXPECT_EQ(outcome.status, kExitSuccess) << outcome.err;
    join.push_back(part);
  }
  return join;
}

TEST_P(SensitivityShardTest, TheJoinedPartsGiveWhatOneProcessWrites) {
  const ShardCase& c = GetParam();
  const WorkingFolder folder;
  std::vector<std::string> whole = With(c.options);
  whole.insert(whole.end(), {"--design-out", "whole-design.csv"});
  const Outcome expected = Invoke(whole);
  ASSERT_EQ(expected.status, kExitSuccess) << expected.err;
  std::vector<std::string> join = With(c.options);
  const std::vector<std::string> parts = RunShards(c);
  join.insert(join.end(), parts.begin(), parts.end());
  join.insert(join.end(), {"--design-out", "joined-design.csv"});
  const Outcome joined = Invoke(join);
  ASSERT_EQ(joined.status, kExitSuccess) << joined.err;
  EXPECT_EQ(joined.out, expected.out);
  EXPECT_EQ(Read("joined-design.csv"), Read("whole-design.csv"));
}

INSTANTIATE_TEST_SUITE_P(Cases, SensitivityShardTest, ::testing::ValuesIn(kShardCases),
                         test_support::CaseName());

struct JoinFaultCase {
  const char* name;
  void (*spoil)(std::vector<std::string>& join);  // the --join arguments, parts in files
  const char* says;
};

void Swap(std::vector<std::string>& join) {
  std::swap(join[1], join[2]);
}

void Truncate(std::vector<std::string>& join) {
  const std::string text = Read(join[2]);
  std::ofstream(join[2], std::ios::binary) << text.substr(0, text.rfind('\n', text.size() - 2) + 1);
}

void AddLine(std::vector<std::string>& join) {
  std::ofstream(join[1], std::ios::app | std::ios::binary) << "A,0,0\n";
}

void ChangeMeasure(std::vector<std::string>& join) {
  std::string text = Read(join[1]);
  text.insert(text.size() - 1, "0");  // 0.25 and 0.250 are one number, not one text
  std::ofstream(join[1], std::ios::binary) << text;
}

void OtherSeed(std::vector<std::string>& join) {
  std::string text = Read(join[1]);
  text.replace(text.find("--seed 11"), 9, "--seed 12");
  std::ofstream(join[1], std::ios::binary) << text;
}

const JoinFaultCase kJoinFaults[] = {
    {"PartsOutOfOrder", Swap, "part-2.csv: line 3 is not what this command writes there"},
    {"TruncatedPart", Truncate, "part-2.csv: ends before all of its runs"},
    {"ExtraLine", AddLine, "part-1.csv: line"},
    {"MeasureNotInItsShortestText", ChangeMeasure, "shortest exact text"},
    {"PartOfAnotherAnalysis", OtherSeed, "part-1.csv: line 1 is not the line this command"},
};

class SensitivityJoinFaultTest : public ::testing::TestWithParam<JoinFaultCase> {};

TEST_P(SensitivityJoinFaultTest, RefusesWithOneLineNamingThePart) {
  const WorkingFolder folder;
  const ShardCase c{"TwoShards", {"--sensitivity", "sobol", "--samples", "4"}, 2};
  std::vector<std::string> parts = RunShards(c);
  GetParam().spoil(parts);
  std::vector<std::string> join = With(c.options);
  join.insert(join.end(), parts.begin(), parts.end());
  const Outcome outcome = Invoke(join);
  EXPECT_EQ(outcome.status, kExitBadInput);
  EXPECT_TRUE(outcome.out.empty());
  EXPECT_NE(outcome.err.find(GetParam().says), std::string::npos) << outcome.err;
  EXPECT_EQ(Lines(outcome.err).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Cases, SensitivityJoinFaultTest, ::testing::ValuesIn(kJoinFaults),
                         test_support::CaseName());

}  // namespace
}  // namespace cli::testing
