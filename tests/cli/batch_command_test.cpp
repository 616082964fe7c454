#include "cli/batch_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "batch/seed_derivation.h"
#include "batch/summary_statistics.h"
#include "cli/runner.h"
#include "command_line_helpers.h"
#include "model/result_series.h"
#include "run_description/parameter_table.h"
#include "tests/support/case_name.h"

namespace cli {
namespace {

using testing::Invoke;
using testing::Lines;
using testing::Outcome;
using testing::Split;

constexpr std::size_t kArgumentColumns = 29;
constexpr std::size_t kFirstArgumentColumn = 3;
constexpr std::size_t kStepColumn = kFirstArgumentColumn + kArgumentColumns;
constexpr std::size_t kSteps = model::kStepCount;

// Two parameters of five values each, twenty replicates: 500 runs of 40 agents
// with Normal attributes, so that replicates differ.
std::vector<std::string> SweepArgs() {
  return {"--seed",
          "2024",
          "--agentCount",
          "40",
          "--requestedCountR",
          "40",
          "--distR",
          "1",
          "--distT",
          "1",
          "--sweep",
          "paramJ=0:1:0.25",
          "--sweep",
          "valueT=0.1,0.3,0.5,0.7,0.9",
          "--replicates",
          "20"};
}
constexpr std::uint64_t kSweepRuns = 5 * 5 * 20;

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

std::filesystem::path TemporaryPath(const std::string& name) {
  return std::filesystem::temp_directory_path() / ("corvellan-batch-" + name);
}

// The 101 rows of one run, by run index.
std::map<std::uint64_t, std::vector<std::string>> RowsByRun(const std::vector<std::string>& lines) {
  std::map<std::uint64_t, std::vector<std::string>> runs;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    runs[std::stoull(Split(lines[i]).at(0))].push_back(lines[i]);
  }
  return runs;
}

class SweepOutput : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    oneJob_ = new Outcome(Invoke(With(SweepArgs(), {"--jobs", "1"})));
  }
  static void TearDownTestSuite() {
    delete oneJob_;
    oneJob_ = nullptr;
  }
  static const Outcome& OneJob() { return *oneJob_; }

 private:
  static Outcome* oneJob_;
};
Outcome* SweepOutput::oneJob_ = nullptr;

TEST_F(SweepOutput, HasAHeaderAnd101RowsPerRunInRunOrder) {
  ASSERT_EQ(OneJob().status, kExitSuccess) << OneJob().err;
  EXPECT_EQ(OneJob().err, "");
  const std::vector<std::string> lines = Lines(OneJob().out);
  ASSERT_EQ(lines.size(), 1 + kSweepRuns * kSteps);
  EXPECT_EQ(lines[0].rfind("run,replicate,seed,paramJ,paramX,", 0), 0u);
  for (std::uint64_t run = 0; run < kSweepRuns; ++run) {
    for (std::size_t k = 0; k < kSteps; ++k) {
      const std::vector<std::string> cells = Split(lines[1 + run * kSteps + k]);
      ASSERT_EQ(cells[0], std::to_string(run));
      ASSERT_EQ(cells[1], std::to_string(run % 20));
      ASSERT_EQ(cells[kStepColumn], std::to_string(k));
    }
  }
}

TEST_F(SweepOutput, IsTheSameBytesWithTwoJobs) {
  const Outcome twoJobs = Invoke(With(SweepArgs(), {"--jobs", "2"}));
  ASSERT_EQ(twoJobs.status, kExitSuccess) << twoJobs.err;
  EXPECT_TRUE(twoJobs.out == OneJob().out);  // not EXPECT_EQ: the texts are megabytes
}

TEST_F(SweepOutput, EveryRowCarriesItsDerivedSeedAndItsGridValues) {
  const std::vector<std::string> lines = Lines(OneJob().out);
  const std::size_t paramJ = kFirstArgumentColumn + *run::FindParameter("paramJ");
  const std::size_t valueT = kFirstArgumentColumn + *run::FindParameter("valueT");
  const char* jValues[] = {"0", "0.25", "0.5", "0.75", "1"};
  const char* tValues[] = {"0.1", "0.3", "0.5", "0.7", "0.9"};
  for (std::uint64_t run = 0; run < kSweepRuns; ++run) {
    const std::vector<std::string> cells = Split(lines[1 + run * kSteps]);
    const std::uint64_t point = run / 20;
    EXPECT_EQ(cells[2], std::to_string(batch::DeriveRunSeed(2024, point, run % 20)));
    EXPECT_EQ(cells[paramJ], jValues[point / 5]);
    EXPECT_EQ(cells[valueT], tValues[point % 5]);
  }
}

TEST_F(SweepOutput, ReplicatesOfAPointDiffer) {
  const auto runs = RowsByRun(Lines(OneJob().out));
  EXPECT_NE(runs.at(40).back().substr(runs.at(40).back().find(",100,")),
            runs.at(41).back().substr(runs.at(41).back().find(",100,")));
}

// The row's own seed and the values of its 29 arguments, as plain options.
std::vector<std::string> RerunArgs(const std::vector<std::string>& header,
                                   const std::vector<std::string>& cells) {
  std::vector<std::string> args = {"--seed", cells[2]};
  for (std::size_t i = kFirstArgumentColumn; i < kStepColumn; ++i) {
    args.push_back("--" + header[i]);
    args.push_back(cells[i]);
  }
  return args;
}

TEST_F(SweepOutput, EachRunRepeatsAloneWithItsSeed) {
  const std::vector<std::string> lines = Lines(OneJob().out);
  const std::vector<std::string> header = Split(lines[0]);
  const auto runs = RowsByRun(lines);
  for (const std::uint64_t run : {0ull, 1ull, 19ull, 137ull, 262ull, 499ull}) {
    const std::vector<std::string>& rows = runs.at(run);
    const Outcome alone = Invoke(RerunArgs(header, Split(rows[0])));
    ASSERT_EQ(alone.status, kExitSuccess) << alone.err;
    const std::vector<std::string> single = Lines(alone.out);
    ASSERT_EQ(single.size(), 2 + kSteps);
    for (std::size_t k = 0; k < kSteps; ++k) {
      // The batch row ends with what the single run's row holds: step and series.
      const std::string& row = rows[k];
      const std::string& expected = single[2 + k];
      ASSERT_GE(row.size(), expected.size());
      EXPECT_EQ(row.substr(row.size() - expected.size() - 1), "," + expected)
          << "run " << run << " step " << k;
    }
  }
}

TEST(BatchCommand, ShardsConcatenateToTheWholeSweep) {
  const std::vector<std::string> args = {"--seed",       "5",  "--distI", "1",
                                         "--agentCount", "30", "--sweep", "paramX=-0.6:0.6:0.2",
                                         "--replicates", "3"};
  const Outcome whole = Invoke(args);
  ASSERT_EQ(whole.status, kExitSuccess) << whole.err;
  std::string concatenated;
  for (const char* shard : {"1/3", "2/3", "3/3"}) {
    const Outcome part = Invoke(With(args, {"--shard", shard}));
    ASSERT_EQ(part.status, kExitSuccess) << part.err;
    const bool hasHeader = part.out.rfind("run,", 0) == 0;
    EXPECT_EQ(hasHeader, std::string(shard) == "1/3") << shard;
    concatenated += part.out;
  }
  const std::vector<std::string> wholeLines = Lines(whole.out);
  std::vector<std::string> parts = Lines(concatenated);
  ASSERT_EQ(parts.size(), wholeLines.size());
  EXPECT_EQ(parts[0], wholeLines[0]);
  // Sorting by run (a stable sort keeps the steps in order) restores the whole.
  std::stable_sort(parts.begin() + 1, parts.end(), [](const std::string& a, const std::string& b) {
    return std::stoull(a.substr(0, a.find(','))) < std::stoull(b.substr(0, b.find(',')));
  });
  EXPECT_EQ(parts, wholeLines);
}

TEST(BatchCommand, ShardsKeepAllReplicatesOfAPointTogether) {
  const Outcome part = Invoke({"--seed", "5", "--agentCount", "10", "--sweep", "medianR=0:1:0.25",
                               "--replicates", "2", "--shard", "2/2"});
  ASSERT_EQ(part.status, kExitSuccess) << part.err;
  const auto runs = RowsByRun(Lines("header\n" + part.out));
  std::vector<std::uint64_t> indices;
  for (const auto& entry : runs) indices.push_back(entry.first);
  EXPECT_EQ(indices, (std::vector<std::uint64_t>{2, 3, 6, 7}));  // points 1 and 3
}

TEST(BatchCommand, ReplicatesAloneRepeatTheBaseArguments) {
  const Outcome outcome = Invoke(
      {"--seed", "3", "--distE", "2", "--agentCount", "20", "--replicates", "4", "--jobs", "2"});
  ASSERT_EQ(outcome.status, kExitSuccess) << outcome.err;
  const auto runs = RowsByRun(Lines(outcome.out));
  ASSERT_EQ(runs.size(), 4u);
  for (std::uint64_t r = 0; r < 4; ++r) {
    EXPECT_EQ(Split(runs.at(r)[0])[2], std::to_string(batch::DeriveRunSeed(3, 0, r)));
  }
}

TEST(BatchCommand, SummaryMatchesTheStatisticsOfTheRunsItSummarises) {
  const std::vector<std::string> args = {"--seed",       "17",
                                         "--distR",      "1",
                                         "--distT",      "2",
                                         "--agentCount", "30",
                                         "--sweep",      "paramJ=0.2,0.8",
                                         "--replicates", "5"};
  const Outcome runs = Invoke(args);
  const Outcome summary = Invoke(With(args, {"--summary", "--jobs", "2"}));
  ASSERT_EQ(runs.status, kExitSuccess) << runs.err;
  ASSERT_EQ(summary.status, kExitSuccess) << summary.err;
  const std::vector<std::string> runLines = Lines(runs.out);
  const std::vector<std::string> summaryLines = Lines(summary.out);
  ASSERT_EQ(summaryLines.size(), 1 + 2 * kSteps);
  EXPECT_EQ(summaryLines[0].rfind("point,replicates,baseSeed,paramJ,", 0), 0u);
  for (const std::size_t point : {0u, 1u}) {
    for (const std::size_t k : {0u, 10u, 55u, 100u}) {
      const std::vector<std::string> cells = Split(summaryLines[1 + point * kSteps + k]);
      EXPECT_EQ(cells[0], std::to_string(point));
      EXPECT_EQ(cells[1], "5");
      EXPECT_EQ(cells[2], "17");
      EXPECT_EQ(cells[kStepColumn], std::to_string(k));
      for (int s = 0; s < model::kSeriesCount; ++s) {
        std::vector<double> values;
        for (std::size_t r = 0; r < 5; ++r) {
          const std::vector<std::string> row = Split(runLines[1 + (point * 5 + r) * kSteps + k]);
          values.push_back(std::strtof(row[kStepColumn + 1 + s].c_str(), nullptr));
        }
        const batch::SummaryStatistics expected = batch::Summarise(values);
        std::size_t column =
            kStepColumn + 1 + static_cast<std::size_t>(s) * batch::kSummaryColumns.size();
        for (const batch::SummaryColumn& statistic : batch::kSummaryColumns) {
          char text[32];
          std::snprintf(text, sizeof text, "%.9g", expected.*statistic.member);
          EXPECT_EQ(cells[column++], text) << statistic.name << " point " << point << " step " << k;
        }
      }
    }
  }
}

TEST(BatchCommand, JsonGivesOneLinePerRunOrPerPoint) {
  const std::vector<std::string> args = {
      "--seed", "1",       "--agentCount",         "10",           "--format",
      "json",   "--sweep", "sigmaE=0.05,0.1,0.15", "--replicates", "2"};
  const Outcome runs = Invoke(args);
  ASSERT_EQ(runs.status, kExitSuccess) << runs.err;
  const std::vector<std::string> runLines = Lines(runs.out);
  ASSERT_EQ(runLines.size(), 6u);
  for (std::size_t i = 0; i < runLines.size(); ++i) {
    EXPECT_EQ(runLines[i].rfind(
                  "{\"run\":" + std::to_string(i) + ",\"point\":" + std::to_string(i / 2) + ",", 0),
              0u);
  }
  const Outcome summary = Invoke(With(args, {"--summary"}));
  ASSERT_EQ(summary.status, kExitSuccess) << summary.err;
  const std::vector<std::string> pointLines = Lines(summary.out);
  ASSERT_EQ(pointLines.size(), 3u);
  EXPECT_EQ(pointLines[2].rfind("{\"point\":2,\"replicates\":2,\"baseSeed\":1,", 0), 0u);
}

TEST(BatchCommand, OutFileHoldsWhatStandardOutputWouldAndNoTemporaryFile) {
  const std::filesystem::path file = TemporaryPath("out.csv");
  std::filesystem::remove(file);
  const std::vector<std::string> args = {
      "--seed", "9", "--agentCount", "10", "--sweep", "corrET=-0.5,0.5", "--replicates", "2"};
  const Outcome toFile = Invoke(With(args, {"--out", file.string()}));
  ASSERT_EQ(toFile.status, kExitSuccess) << toFile.err;
  EXPECT_EQ(toFile.out, "");
  EXPECT_EQ(ReadFile(file), Invoke(args).out);
  EXPECT_FALSE(std::filesystem::exists(file.string() + ".tmp-corvellan"));
  std::filesystem::remove(file);
}

TEST(BatchCommand, AnUnwritableOutFileIsReportedBeforeAnyRun) {
  const Outcome outcome =
      Invoke({"--sweep", "paramJ=0,1", "--out", "/nonexistent-folder/sweep.csv"});
  EXPECT_EQ(outcome.status, kExitFailure);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(
      outcome.err,
      "corvellan-run: cannot write /nonexistent-folder/sweep.csv: No such file or directory\n");
}

TEST(BatchCommand, SamePopulationsSeedEveryPointsReplicateAlike) {
  const Outcome outcome = Invoke({"--seed", "6", "--agentCount", "20", "--sweep", "paramJ=0:1:0.25",
                                  "--replicates", "3", "--same-populations"});
  ASSERT_EQ(outcome.status, kExitSuccess) << outcome.err;
  const auto runs = RowsByRun(Lines(outcome.out));
  ASSERT_EQ(runs.size(), 15u);
  for (const auto& [run, rows] : runs) {
    EXPECT_EQ(Split(rows[0])[2], std::to_string(batch::DeriveSharedRunSeed(6, run % 3))) << run;
  }
}

TEST(BatchCommand, SamePopulationsShardsJoinToTheWhole) {
  const std::vector<std::string> args = {
      "--seed",       "8", "--agentCount",       "20",       "--sweep", "paramJ=0:1:0.5",
      "--replicates", "2", "--same-populations", "--summary"};
  const Outcome whole = Invoke(args);
  ASSERT_EQ(whole.status, kExitSuccess) << whole.err;
  std::vector<std::string> parts;
  for (const char* shard : {"1/2", "2/2"}) {
    const std::filesystem::path path = TemporaryPath(std::string("same-") + shard[0]);
    const Outcome part = Invoke(With(args, {"--shard", shard, "--out", path.string()}));
    ASSERT_EQ(part.status, kExitSuccess) << part.err;
    parts.push_back(path.string());
  }
  const Outcome joined = Invoke(With(args, {"--join", parts[0], parts[1]}));
  for (const std::string& part : parts) std::filesystem::remove(part);
  ASSERT_EQ(joined.status, kExitSuccess) << joined.err;
  EXPECT_EQ(joined.out, whole.out);
}

TEST(BatchCommand, AnEmptyShardWritesOnlyWhatItOwns) {
  const Outcome first = Invoke({"--sweep", "paramJ=0,1", "--shard", "1/5"});
  const Outcome fifth = Invoke({"--sweep", "paramJ=0,1", "--shard", "5/5"});
  ASSERT_EQ(fifth.status, kExitSuccess) << fifth.err;
  EXPECT_EQ(fifth.out, "");
  EXPECT_EQ(Lines(first.out).size(), 1 + kSteps);  // the header and point 0
}

TEST(BatchCommand, WithoutBatchOptionsJobsChangeNothing) {
  EXPECT_EQ(Invoke({"--seed", "4", "--jobs", "2"}).out, Invoke({"--seed", "4"}).out);
}

TEST(BatchCommand, HelpDocumentsTheSeedDerivation) {
  const Outcome help = Invoke({"--help"});
  ASSERT_EQ(help.status, kExitSuccess);
  for (const char* text :
       {"--sweep", "--replicates", "--summary", "--shard", "--jobs", "0x9E3779B97F4A7C15", "numpy",
        "--same-populations", "step(step(0, S mod 2^32), r)"}) {
    EXPECT_NE(help.out.find(text), std::string::npos) << text;
  }
}

struct BadBatch {
  const char* name;
  std::vector<std::string> args;
  const char* message;  // the whole error line after "corvellan-run: "
};

const BadBatch kBadBatches[] = {
    {"UnknownName",
     {"--sweep", "paramZ=0:1:0.5"},
     "--sweep paramZ: not a run argument (see --help for their names)"},
    {"Malformed",
     {"--sweep", "paramJ"},
     "--sweep \"paramJ\": expected NAME=START:STOP:STEP or NAME=v1,v2,..."},
    {"RangeOfTwo", {"--sweep", "paramJ=0:1"}, "--sweep paramJ: expected START:STOP:STEP"},
    {"NotADecimal",
     {"--sweep", "paramJ=0:1:1e-1"},
     "--sweep paramJ: expected a plain decimal like 0.25, got \"1e-1\""},
    {"EmptyRange",
     {"--sweep", "paramJ=1:0:0.1"},
     "--sweep paramJ: empty range: START 1 is above STOP 0"},
    {"ZeroStep",
     {"--sweep", "paramJ=0:1:0"},
     "--sweep paramJ: the step must be positive, got \"0\""},
    {"NegativeStep",
     {"--sweep", "paramJ=0:1:-0.1"},
     "--sweep paramJ: the step must be positive, got \"-0.1\""},
    {"OutsideTrackbar",
     {"--sweep", "sigmaR=0:0.4:0.05"},
     "--sweep sigmaR: 0.4 is outside 0 to 0.35"},
    {"FractionalCount",
     {"--sweep", "agentCount=10:20:2.5"},
     "--sweep agentCount: expected a whole number, got \"12.5\""},
    {"ModelRejectsJ",
     {"--sweep", "paramJ=0.5:1.5:0.5"},
     "--sweep paramJ: 1.5 fails the model's check \"Inappropriate parameter J\""},
    {"ModelRejectsN",
     {"--sweep", "agentCount=0,10"},
     "--sweep agentCount: 0 fails the model's check \"Inappropriate parameter N\""},
    {"Duplicated",
     {"--sweep", "paramJ=0,1", "--sweep", "paramJ=0.5"},
     "--sweep paramJ is given twice"},
    {"AlsoPlainOption",
     {"--paramJ", "0.5", "--sweep", "paramJ=0,1"},
     "--sweep paramJ and the plain option --paramJ are both given"},
    {"FixedValueRejectedByModel",
     {"--paramX", "2", "--sweep", "paramJ=0,1"},
     "Inappropriate parameter X"},
    {"ZeroReplicates", {"--replicates", "0"}, "--replicates: 0 is outside 1 or more"},
    {"FractionalReplicates",
     {"--replicates", "2.5"},
     "--replicates: expected a whole number, got \"2.5\""},
    {"ShardWithoutCount",
     {"--shard", "2"},
     "--shard: expected I/N with whole numbers 1 <= I <= N, got \"2\""},
    {"ShardZero",
     {"--shard", "0/3"},
     "--shard: expected I/N with whole numbers 1 <= I <= N, got \"0/3\""},
    {"ShardAboveCount",
     {"--shard", "4/3"},
     "--shard: expected I/N with whole numbers 1 <= I <= N, got \"4/3\""},
    {"ZeroJobs", {"--sweep", "paramJ=0,1", "--jobs", "0"}, "--jobs: 0 is outside 1 to 256"},
    {"TooManyJobs", {"--summary", "--jobs", "257"}, "--jobs: 257 is outside 1 to 256"},
    {"SweepWithoutValue",
     {"--sweep"},
     "--sweep: 1 required NAME=START:STOP:STEP|NAME=v1,v2,... missing"},
    {"SweepTakesOneValue",
     {"--sweep", "paramJ=0,1", "medianR=0,1"},
     "unexpected argument \"medianR=0,1\" (see --help)"},
};

class RefusedBatch : public ::testing::TestWithParam<BadBatch> {};

TEST_P(RefusedBatch, OneLineOnStandardErrorStatusTwoAndNoOutputAtAll) {
  const std::filesystem::path file = TemporaryPath(std::string("refused-") + GetParam().name);
  std::filesystem::remove(file);
  const Outcome outcome = Invoke(With({"--out", file.string()}, GetParam().args));
  EXPECT_EQ(outcome.status, kExitBadInput);
  EXPECT_EQ(outcome.out, "");
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_FALSE(std::filesystem::exists(file.string() + ".tmp-corvellan"));
  EXPECT_EQ(outcome.err, std::string("corvellan-run: ") + GetParam().message + "\n");
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedBatch, ::testing::ValuesIn(kBadBatches),
                         test_support::CaseName());

}  // namespace
}  // namespace cli
