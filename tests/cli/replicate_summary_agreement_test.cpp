// The band's numbers are what `corvellan-run <the band's command> --summary`
// prints for the same setting.
#include <gtest/gtest.h>

#include <atomic>
#include <sstream>
#include <string>
#include <vector>

#include "batch/replicate_summary.h"
#include "batch/run_values.h"
#include "cli/runner.h"
#include "model/result_series.h"
#include "run_description/number_text.h"
#include "run_description/parameter_table.h"
#include "run_description/rerun_command.h"
#include "tests/support/case_name.h"
#include "tests/support/sample_arguments.h"

namespace batch {
namespace {

struct SummaryCase {
  const char* name;
  model::RunArguments arguments;
  std::int32_t baseSeed;
  std::uint64_t replicates;
  unsigned jobs;
};

model::RunArguments LogNormalRPrimeWithChangedJ() {
  model::RunArguments a = run::DefaultRunArguments();
  a.distRPrime = 2;
  a.sanctionsOn = 1;
  a.paramJ = 0.35000000000000003;
  return a;
}

const SummaryCase kCases[] = {
    {"Defaults", run::DefaultRunArguments(), 1, 8, 1},
    {"AllNormalTwoJobs", test_support::AllNormalArguments(), -77, 32, 2},
    {"LogNormalSingleReplicate", LogNormalRPrimeWithChangedJ(), 123456, 1, 2},
    {"NegativeSeedManyReplicates", test_support::AllNormalUncorrelatedArguments(), -2147483647 - 1,
     128, 2},
};

// The summary columns of the runner's CSV rows for the same setting, as text.
std::vector<std::vector<std::string>> RunnerSummaryCells(const SummaryCase& c) {
  std::istringstream command(run::ShortRerunCommand(c.baseSeed, c.arguments));
  std::vector<std::string> args;
  for (std::string word; command >> word;) args.push_back(word);
  args.erase(args.begin());  // the program's name
  args.insert(args.end(), {"--replicates", std::to_string(c.replicates), "--summary"});
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(cli::RunCommandLine(args, out, err), cli::kExitSuccess) << err.str();
  std::istringstream lines(out.str());
  std::vector<std::vector<std::string>> rows;
  std::string line;
  std::getline(lines, line);  // header
  while (std::getline(lines, line)) {
    std::vector<std::string> cells;
    std::istringstream row(line);
    for (std::string cell; std::getline(row, cell, ',');) cells.push_back(cell);
    const std::size_t firstValue = 4 + run::ParameterTable().size();  // point..baseSeed, step
    rows.emplace_back(cells.begin() + static_cast<std::ptrdiff_t>(firstValue), cells.end());
  }
  return rows;
}

class ReplicateSummary : public testing::TestWithParam<SummaryCase> {};

TEST_P(ReplicateSummary, GivesTheNumbersOfTheRunnersSummary) {
  const SummaryCase& c = GetParam();
  const std::atomic<bool> stop{false};
  const auto statistics =
      SummariseReplicates({c.arguments, c.baseSeed, c.replicates, c.jobs}, stop);
  ASSERT_TRUE(statistics.has_value());
  ASSERT_EQ(statistics->size(), kValuesPerRun);
  const std::vector<std::vector<std::string>> rows = RunnerSummaryCells(c);
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(model::kStepCount));
  for (int k = 0; k < model::kStepCount; ++k) {
    std::vector<std::string> ours;
    for (int s = 0; s < model::kSeriesCount; ++s) {
      for (const SummaryColumn& column : kSummaryColumns) {
        std::string text;
        run::AppendSignificant(text, (*statistics)[ValueIndex(s, k)].*column.member);
        ours.push_back(text);
      }
    }
    EXPECT_EQ(ours, rows[static_cast<std::size_t>(k)]) << "step " << k;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReplicateSummary, testing::ValuesIn(kCases),
                         test_support::CaseName());

}  // namespace
}  // namespace batch
