#include "batch/batch_output.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "batch/run_values.h"
#include "run_description/parameter_table.h"
#include "tests/support/text_lines.h"

namespace batch {
namespace {

using test_support::Lines;
using test_support::Split;

constexpr std::size_t kArgumentColumns = 29;
constexpr std::size_t kRunColumns = 3 + kArgumentColumns + 1 + model::kSeriesCount;
constexpr std::size_t kSummaryColumnsPerSeries = 5;
constexpr std::size_t kSummaryRowColumns =
    3 + kArgumentColumns + 1 + model::kSeriesCount * kSummaryColumnsPerSeries;

std::string PrintfSignificant(double v) {
  char text[64];
  std::snprintf(text, sizeof text, "%.9g", v);
  return text;
}

// Values whose printing is easy to get wrong.
const float kAwkwardValues[] = {0.0f,   0.1f,      0.14f,  1.0f / 3.0f,  1e-10f,
                                1e-45f, 0.5f,      1.0f,   123456789.0f, 3.40282347e38f,
                                -0.25f, 0.999999f, 2.5e-5f};

std::vector<float> RunValues() {
  std::vector<float> values(batch::kValuesPerRun);
  for (std::size_t i = 0; i < values.size(); ++i) {
    values[i] = kAwkwardValues[i % std::size(kAwkwardValues)];
  }
  return values;
}

TEST(BatchOutput, RunHeaderNamesTheRunItsSeedEveryArgumentAndEverySeries) {
  std::string text;
  AppendRunCsvHeader(text);
  const std::vector<std::string> cells = Split(Lines(text).at(0));
  ASSERT_EQ(cells.size(), kRunColumns);
  EXPECT_EQ(cells[0], "run");
  EXPECT_EQ(cells[1], "replicate");
  EXPECT_EQ(cells[2], "seed");
  for (std::size_t i = 0; i < kArgumentColumns; ++i) {
    EXPECT_EQ(cells[3 + i], run::ParameterTable()[i].name);
  }
  EXPECT_EQ(cells[3 + kArgumentColumns], "step");
  EXPECT_EQ(cells.back(), "meanPropensity");
}

TEST(BatchOutput, RunRowsCarryTheLabelTheArgumentsAndTheValuesLikeTheSingleRun) {
  model::RunArguments arguments = run::DefaultRunArguments();
  arguments.medianR = 0.3;
  arguments.agentCount = 40;
  const std::vector<float> values = RunValues();
  std::string text;
  AppendRunCsv(text, {1234, 61, 4, -77}, arguments, values);
  const std::vector<std::string> lines = Lines(text);
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(model::kStepCount));
  for (int k = 0; k < model::kStepCount; ++k) {
    const std::vector<std::string> cells = Split(lines[k]);
    ASSERT_EQ(cells.size(), kRunColumns);
    EXPECT_EQ(cells[0], "1234");
    EXPECT_EQ(cells[1], "4");
    EXPECT_EQ(cells[2], "-77");
    EXPECT_EQ(cells[3 + *run::FindParameter("medianR")], "0.3");
    EXPECT_EQ(cells[3 + *run::FindParameter("agentCount")], "40");
    EXPECT_EQ(cells[3 + kArgumentColumns], std::to_string(k));
    for (int s = 0; s < model::kSeriesCount; ++s) {
      EXPECT_EQ(cells[4 + kArgumentColumns + s], PrintfSignificant(values[batch::ValueIndex(s, k)]))
          << "step " << k << " series " << s;
    }
  }
}

TEST(BatchOutput, RunJsonIsOneLineWithNullForWhatIsNotANumber) {
  std::vector<float> values(batch::kValuesPerRun, 0.5f);
  values[batch::ValueIndex(2, 7)] = std::numeric_limits<float>::quiet_NaN();
  std::string text;
  AppendRunJson(text, {12, 6, 0, 5}, run::DefaultRunArguments(), values);
  ASSERT_EQ(Lines(text).size(), 1u);
  EXPECT_EQ(text.back(), '\n');
  EXPECT_EQ(text.rfind("{\"run\":12,\"point\":6,\"replicate\":0,\"seed\":5,\"parameters\":{"
                       "\"paramJ\":0.5,",
                       0),
            0u);
  EXPECT_NE(text.find("\"meanPropensityVolunteers\":[0.5,0.5,0.5,0.5,0.5,0.5,0.5,null,0.5"),
            std::string::npos);
  EXPECT_NE(text.find("\"step\":[0,1,2,"), std::string::npos);
}

TEST(BatchOutput, SummaryHeaderHasFiveStatisticsPerSeries) {
  std::string text;
  AppendSummaryCsvHeader(text);
  const std::vector<std::string> cells = Split(Lines(text).at(0));
  ASSERT_EQ(cells.size(), kSummaryRowColumns);
  EXPECT_EQ(cells[0], "point");
  EXPECT_EQ(cells[1], "replicates");
  EXPECT_EQ(cells[2], "baseSeed");
  const std::size_t first = 4 + kArgumentColumns;
  const char* expected[] = {"firstOrderRate_mean", "firstOrderRate_sd",  "firstOrderRate_q05",
                            "firstOrderRate_q50",  "firstOrderRate_q95", "secondOrderRate_mean"};
  for (std::size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(cells[first + i], expected[i]);
  EXPECT_EQ(cells.back(), "meanPropensity_q95");
}

TEST(BatchOutput, SummaryRowsPrintEachStatisticInItsColumn) {
  std::vector<batch::SummaryStatistics> statistics(batch::kValuesPerRun);
  statistics[batch::ValueIndex(1, 3)] = {0.25, 0.125, 0.0625, 0.5, 0.75};
  std::string text;
  AppendSummaryCsv(text, {8, 20, 3}, run::DefaultRunArguments(), statistics);
  const std::vector<std::string> lines = Lines(text);
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(model::kStepCount));
  const std::vector<std::string> cells = Split(lines[3]);
  ASSERT_EQ(cells.size(), kSummaryRowColumns);
  EXPECT_EQ(cells[0], "8");
  EXPECT_EQ(cells[1], "20");
  EXPECT_EQ(cells[2], "3");
  const std::size_t first = 4 + kArgumentColumns + kSummaryColumnsPerSeries;
  const std::vector<std::string> expected = {"0.25", "0.125", "0.0625", "0.5", "0.75"};
  EXPECT_EQ(std::vector<std::string>(cells.begin() + static_cast<long>(first),
                                     cells.begin() + static_cast<long>(first) + 5),
            expected);
}

TEST(BatchOutput, SummaryJsonGroupsTheStatisticsBySeries) {
  std::vector<batch::SummaryStatistics> statistics(batch::kValuesPerRun);
  std::string text;
  AppendSummaryJson(text, {4, 3, -9}, run::DefaultRunArguments(), statistics);
  ASSERT_EQ(Lines(text).size(), 1u);
  EXPECT_EQ(text.rfind("{\"point\":4,\"replicates\":3,\"baseSeed\":-9,\"parameters\":{", 0), 0u);
  EXPECT_NE(text.find("\"firstOrderRate\":{\"mean\":[0,"), std::string::npos);
  EXPECT_NE(text.find("],\"sd\":[0,"), std::string::npos);
  EXPECT_NE(text.find("],\"q95\":[0,"), std::string::npos);
}

}  // namespace
}  // namespace batch
