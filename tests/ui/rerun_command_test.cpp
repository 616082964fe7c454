// The window's copy of the runner's argument names and its CSV writer agree
// with corvellan-run's own, so a saved file is what the runner writes.
#include "ui/rerun_command.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "cli/argument_table.h"
#include "cli/series_output.h"
#include "ui/run_argument_names.h"
#include "ui/series_csv.h"

namespace ui_test {
namespace {

class RunArgumentRow : public testing::TestWithParam<std::size_t> {};

TEST_P(RunArgumentRow, MatchesTheRunnersOption) {
  const ui::RunArgumentName& row = ui::kRunArgumentNames[GetParam()];
  const cli::ArgumentSpec& entry = cli::ArgumentTable()[GetParam()];
  EXPECT_EQ(row.name, entry.name);
  EXPECT_EQ(row.runnerDefault, entry.defaultValue) << row.name;
  // Both read and write the same field.
  model::RunArguments arguments{};
  const double marker = entry.type == cli::ValueType::kReal ? 0.375 : 7.0;
  cli::SetArgumentValue(entry, marker, arguments);
  EXPECT_EQ(ui::RunArgumentValue(row, arguments), marker) << row.name;
}

INSTANTIATE_TEST_SUITE_P(EachArgument, RunArgumentRow,
                         testing::Range<std::size_t>(0, ui::kRunArgumentCount),
                         [](const testing::TestParamInfo<std::size_t>& row) {
                           return std::string(ui::kRunArgumentNames[row.param].name);
                         });

TEST(RunArgumentNames, CoverEveryOptionOfTheRunner) {
  EXPECT_EQ(ui::kRunArgumentNames.size(), cli::ArgumentTable().size());
}

// Arguments the window can pass, and some it cannot.
model::RunArguments SampleArguments(int variant) {
  model::RunArguments arguments = cli::DefaultRunArguments();
  const double shift = variant * 0.01;
  arguments.paramJ = 35 * 0.01;
  arguments.paramX = -1.0 + shift;
  arguments.distR = variant % 3;
  arguments.sigmaR = 0.35000000000000003;
  arguments.sanctionsOn = variant % 2;
  arguments.corrET = -0.57 - shift;
  arguments.requestedCountR = 28 + variant;
  arguments.slopeM = 10 - variant;
  arguments.reservedArg = -variant;
  return arguments;
}

constexpr int kVariants = 4;
constexpr std::int32_t kSeeds[kVariants] = {1, -2147483647 - 1, 2147483647, 1733812345};

TEST(RerunCommand, EqualsTheRunnersCommand) {
  for (int variant = 0; variant < kVariants; ++variant) {
    const model::RunArguments arguments = SampleArguments(variant);
    const cli::RunRecord record{kSeeds[variant], arguments, {}};
    EXPECT_EQ(ui::RerunCommand({kSeeds[variant], arguments}), cli::RerunCommand(record));
  }
}

TEST(ShortRerunCommand, NamesOnlyWhatDiffersFromTheDefaults) {
  const model::RunArguments defaults = cli::DefaultRunArguments();
  EXPECT_EQ(ui::ShortRerunCommand({5, defaults}), "corvellan-run --seed 5");
  model::RunArguments changed = defaults;
  changed.distR = 1;
  changed.paramX = -0.5;
  EXPECT_EQ(ui::ShortRerunCommand({5, changed}), "corvellan-run --seed 5 --paramX -0.5 --distR 1");
}

// Odd values too: every float prints as the runner prints it.
std::vector<float> SampleSeries(int index) {
  std::vector<float> values(model::kStepCount);
  for (int step = 0; step < model::kStepCount; ++step) {
    values[step] = static_cast<float>(std::sin(step * 0.37 + index)) / (1 + index);
  }
  values[1] = std::numeric_limits<float>::denorm_min();
  values[2] = std::numeric_limits<float>::max();
  values[3] = -0.0F;
  values[4] = std::numeric_limits<float>::quiet_NaN();
  values[5] = -std::numeric_limits<float>::infinity();
  values[6] = 0.1F;
  return values;
}

TEST(SeriesCsv, EqualsTheRunnersCsv) {
  std::vector<std::vector<float>> storage;
  ui::SeriesPointers series{};
  for (int index = 0; index < model::kSeriesCount; ++index) {
    storage.push_back(SampleSeries(index));
  }
  for (int index = 0; index < model::kSeriesCount; ++index) {
    series[static_cast<std::size_t>(index)] = storage[static_cast<std::size_t>(index)].data();
  }
  for (int variant = 0; variant < kVariants; ++variant) {
    const model::RunArguments arguments = SampleArguments(variant);
    std::ostringstream runner;
    cli::WriteCsv(runner, {kSeeds[variant], arguments, series});
    EXPECT_EQ(ui::SeriesCsv({kSeeds[variant], arguments}, series), runner.str());
  }
}

}  // namespace
}  // namespace ui_test
