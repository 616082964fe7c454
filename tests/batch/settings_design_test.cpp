#include "batch/settings_design.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "batch/run_schedule.h"
#include "batch/schedule_design.h"
#include "batch/sweep_grid.h"
#include "run_description/parameter_table.h"

namespace batch {
namespace {

struct LayoutCase {
  const char* name;
  SweepLayout layout;
  std::uint64_t replicates;
  std::int32_t baseSeed;
};

class SettingsDesignTest : public ::testing::TestWithParam<LayoutCase> {};

// A two-axis grid: paramJ over three values and distR over two.
SweepGrid TwoAxisGrid() {
  const std::size_t paramJ = *run::FindParameter("paramJ");
  const std::size_t distR = *run::FindParameter("distR");
  return SweepGrid(run::DefaultRunArguments(),
                   {SweepAxis{paramJ, {0.1, 0.5, 0.9}}, SweepAxis{distR, {0, 2}}});
}

// Listing a grid's points in order makes the design the sweep makes: the same
// records, settings and seeds, in either layout.
TEST_P(SettingsDesignTest, ListedGridPointsRepeatTheSweep) {
  const LayoutCase& c = GetParam();
  const SweepGrid grid = TwoAxisGrid();
  const RunSchedule schedule(grid, c.replicates, Shard{}, c.baseSeed);
  const ScheduleDesign sweep(schedule, c.layout);
  std::vector<model::RunArguments> settings;
  for (std::uint64_t g = 0; g < grid.PointCount(); ++g) settings.push_back(grid.PointArguments(g));
  const SettingsDesign listed(settings, c.replicates, c.baseSeed, c.layout);

  ASSERT_EQ(listed.RecordCount(), sweep.RecordCount());
  ASSERT_EQ(listed.RunsPerRecord(), sweep.RunsPerRecord());
  for (std::uint64_t record = 0; record < sweep.RecordCount(); ++record) {
    EXPECT_EQ(listed.Arguments(record), sweep.Arguments(record)) << record;
    for (std::uint64_t run = 0; run < sweep.RunsPerRecord(); ++run) {
      EXPECT_EQ(listed.Seed(record, run), sweep.Seed(record, run)) << record << ' ' << run;
      EXPECT_EQ(listed.ReplicateOf(record, run), sweep.LabelOfRun(record, run).replicate);
    }
    EXPECT_EQ(listed.SettingOf(record), sweep.LabelOfRun(record, 0).point);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, SettingsDesignTest,
    ::testing::Values(LayoutCase{"RunsOneReplicate", SweepLayout::kRuns, 1, 7},
                      LayoutCase{"RunsThreeReplicates", SweepLayout::kRuns, 3, -12345},
                      LayoutCase{"SummaryFourReplicates", SweepLayout::kSummary, 4, 2147483647}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace batch
