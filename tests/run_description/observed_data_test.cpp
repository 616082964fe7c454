#include "run_description/observed_data.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "run_description/parameter_table.h"
#include "run_description/series_writers.h"
#include "tests/support/case_name.h"

namespace run {
namespace {

using model::kFirstOrderRate;
using model::kMeanPropensity;
using model::kSecondOrderRate;

struct GoodCase {
  const char* name;
  std::string text;
  std::vector<ObservedPoint> points;  // in series, then step order
  std::vector<int> columns;
};

const GoodCase kGoodCases[] = {
    {"OneSeriesEveryValue",
     "step,firstOrderRate\n0,0.1\n1,0.25\n2,1\n",
     {{kFirstOrderRate, 0, 0.1}, {kFirstOrderRate, 1, 0.25}, {kFirstOrderRate, 2, 1.0}},
     {kFirstOrderRate}},
    {"ColumnsInAnyOrderStepsInAnyOrder",
     "meanPropensity,step,firstOrderRate\n0.5,7,0.2\n0.4,3,0.1\n",
     {{kFirstOrderRate, 3, 0.1},
      {kFirstOrderRate, 7, 0.2},
      {kMeanPropensity, 3, 0.4},
      {kMeanPropensity, 7, 0.5}},
     {kFirstOrderRate, kMeanPropensity}},
    {"EmptyAndNaAreMissing",
     "step,firstOrderRate,secondOrderRate\n0,,0\n100,NA,0.5\n5,0.3,\n",
     {{kFirstOrderRate, 5, 0.3}, {kSecondOrderRate, 0, 0.0}, {kSecondOrderRate, 100, 0.5}},
     {kFirstOrderRate, kSecondOrderRate}},
    {"CommentLinesFirstWindowsLineEndsNoLastEnd",
     "# made by hand\r\n# second note\r\nstep,firstOrderRate\r\n4,0.5",
     {{kFirstOrderRate, 4, 0.5}},
     {kFirstOrderRate}},
    {"TrailingEmptyLinesAreTheEnd",
     "step,firstOrderRate\n4,0.5\n\n\n",
     {{kFirstOrderRate, 4, 0.5}},
     {kFirstOrderRate}},
    {"RateRoundingPastOneIsKept",
     "step,firstOrderRate\n4,1.0000001\n",
     {{kFirstOrderRate, 4, 1.0000001}},
     {kFirstOrderRate}},
};

class ObservedDataGood : public testing::TestWithParam<GoodCase> {};

TEST_P(ObservedDataGood, ReadsEveryValueGiven) {
  const GoodCase& c = GetParam();
  const ObservedDataReading read = ReadObservedData(c.text);
  ASSERT_TRUE(read.data.has_value()) << read.error;
  ASSERT_EQ(read.data->points.size(), c.points.size());
  for (std::size_t i = 0; i < c.points.size(); ++i) {
    EXPECT_EQ(read.data->points[i].series, c.points[i].series) << i;
    EXPECT_EQ(read.data->points[i].step, c.points[i].step) << i;
    EXPECT_EQ(read.data->points[i].value, c.points[i].value) << i;
  }
  for (int s = 0; s < model::kSeriesCount; ++s) {
    const bool expected = std::find(c.columns.begin(), c.columns.end(), s) != c.columns.end();
    EXPECT_EQ(read.data->columns[static_cast<std::size_t>(s)], expected) << s;
  }
}

INSTANTIATE_TEST_SUITE_P(Files, ObservedDataGood, testing::ValuesIn(kGoodCases),
                         test_support::CaseName());

struct BadCase {
  const char* name;
  std::string text;
  std::string error;
};

const BadCase kBadCases[] = {
    {"Empty", "", "the file is empty"},
    {"NotText", "step,firstOrderRate\n0,0.\x01\n",
     "the file is not text: byte 25 is no printable character"},
    {"OnlyComments", "# a\n# b\n", "the file has no header after its comment lines"},
    {"NoStepColumn", "firstOrderRate\n0.5\n", "line 1: the header has no \"step\" column"},
    {"NoSeriesColumn", "# note\nstep\n0\n",
     "line 2: the header names no series (firstOrderRate, secondOrderRate, "
     "meanPropensityVolunteers, meanPropensityNonVolunteers, meanPropensity)"},
    {"UnknownColumn", "step,rate\n0,0.5\n",
     "line 1, field 2: \"rate\" is neither \"step\" nor a series (firstOrderRate, "
     "secondOrderRate, meanPropensityVolunteers, meanPropensityNonVolunteers, meanPropensity)"},
    {"SeriesTwice", "step,meanPropensity,meanPropensity\n0,0.5,0.5\n",
     "line 1, field 3: a second \"meanPropensity\" column"},
    {"StepTwiceInHeader", "step,firstOrderRate,step\n0,0.5,0\n",
     "line 1, field 3: a second \"step\" column"},
    {"TooFewFields", "step,firstOrderRate,meanPropensity\n0,0.5\n",
     "line 2 has 2 fields where the header has 3"},
    {"TooManyFields", "step,firstOrderRate\n0,0.5,0.1\n",
     "line 2 has 3 fields where the header has 2"},
    {"EmptyLineInside", "step,firstOrderRate\n0,0.5\n\n1,0.5\n", "line 3 is empty"},
    {"StepNotWhole", "step,firstOrderRate\n0.5,0.5\n",
     "line 2, field step: \"0.5\" is not a whole number"},
    {"StepMissing", "step,firstOrderRate\nNA,0.5\n",
     "line 2, field step: \"NA\" is not a whole number"},
    {"StepPastTheEnd", "step,firstOrderRate\n101,0.5\n",
     "line 2, field step: \"101\" is not a step from 0 to 100"},
    {"StepNegative", "step,firstOrderRate\n-1,0.5\n",
     "line 2, field step: \"-1\" is not a step from 0 to 100"},
    {"StepGivenTwice", "step,firstOrderRate\n3,0.5\n4,0.5\n3,0.5\n",
     "line 4, field step: step 3 is given twice"},
    {"ValueNotANumber", "step,firstOrderRate\n3,abc\n",
     "line 2, field firstOrderRate: \"abc\" is not a number (leave it empty or write NA when it "
     "is missing)"},
    {"ValueWithSpace", "step,firstOrderRate\n3, 0.5\n",
     "line 2, field firstOrderRate: \" 0.5\" is not a number (leave it empty or write NA when it "
     "is missing)"},
    {"ValueInfinite", "step,meanPropensity\n3,inf\n",
     "line 2, field meanPropensity: \"inf\" is not a finite number"},
    {"ValueAboveOne", "step,meanPropensity\n3,1.5\n",
     "line 2, field meanPropensity: \"1.5\" lies outside 0 to 1"},
    {"MeanJustAboveOne", "step,meanPropensity\n3,1.0000001\n",
     "line 2, field meanPropensity: \"1.0000001\" lies outside 0 to 1"},
    {"EveryValueMissing", "step,firstOrderRate\n3,NA\n4,\n",
     "the file has no observed value: every one is missing"},
    {"HeaderOnly", "step,firstOrderRate\n", "the file has no observed value: every one is missing"},
    {"TooLarge", std::string(kMaxObservedDataBytes + 1, '#'),
     "the file is larger than observed data of 101 steps can be (1048576 bytes)"},
};

class ObservedDataBad : public testing::TestWithParam<BadCase> {};

TEST_P(ObservedDataBad, NamesTheFirstFaultAndReadsNothing) {
  const BadCase& c = GetParam();
  const ObservedDataReading read = ReadObservedData(c.text);
  EXPECT_FALSE(read.data.has_value());
  EXPECT_EQ(read.error, c.error);
}

INSTANTIATE_TEST_SUITE_P(Files, ObservedDataBad, testing::ValuesIn(kBadCases),
                         test_support::CaseName());

// The runner's own series CSV, comment line and all, is observed data of
// every series at every step, each value the one it wrote.
TEST(ObservedData, ReadsASeriesCsvAsItStands) {
  std::vector<std::vector<float>> values(model::kSeriesCount,
                                         std::vector<float>(model::kStepCount));
  model::SeriesPointers series{};
  for (int s = 0; s < model::kSeriesCount; ++s) {
    for (int k = 0; k < model::kStepCount; ++k) {
      values[static_cast<std::size_t>(s)][static_cast<std::size_t>(k)] =
          0.0091f * static_cast<float>(k) + 0.003f * static_cast<float>(s);
    }
    series[s] = values[static_cast<std::size_t>(s)].data();
  }
  std::ostringstream out;
  WriteCsv(out, {17, DefaultRunArguments(), series});
  const ObservedDataReading read = ReadObservedData(out.str());
  ASSERT_TRUE(read.data.has_value()) << read.error;
  ASSERT_EQ(read.data->points.size(),
            static_cast<std::size_t>(model::kSeriesCount * model::kStepCount));
  for (const ObservedPoint& point : read.data->points) {
    EXPECT_EQ(static_cast<float>(point.value),
              values[static_cast<std::size_t>(point.series)][static_cast<std::size_t>(point.step)]);
  }
}

}  // namespace
}  // namespace run
