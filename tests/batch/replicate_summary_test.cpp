#include "batch/replicate_summary.h"

#include <gtest/gtest.h>

#include <atomic>

#include "batch/run_values.h"
#include "run_description/parameter_table.h"

// What the statistics are is checked against the runner's --summary in
// tests/cli/replicate_summary_agreement_test.cpp.
namespace batch {
namespace {

TEST(ReplicateSummaryStop, ARaisedStopGivesNoStatistics) {
  const std::atomic<bool> stop{true};
  EXPECT_FALSE(SummariseReplicates({run::DefaultRunArguments(), 1, 32, 2}, stop).has_value());
}

TEST(ReplicateSummaryStop, ASettingTheModelRefusesGivesNoStatistics) {
  model::RunArguments bad = run::DefaultRunArguments();
  bad.paramJ = -1.0;
  const std::atomic<bool> stop{false};
  EXPECT_FALSE(SummariseReplicates({bad, 1, 4, 1}, stop).has_value());
}

TEST(ReplicateSummary, HasTheStatisticsOfEverySeriesAtEveryStep) {
  const std::atomic<bool> stop{false};
  const auto statistics = SummariseReplicates({run::DefaultRunArguments(), 5, 3, 2}, stop);
  ASSERT_TRUE(statistics.has_value());
  EXPECT_EQ(statistics->size(), kValuesPerRun);
}

}  // namespace
}  // namespace batch
