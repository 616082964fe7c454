#include "run_description/output_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "run_description/parameter_table.h"
#include "tests/support/case_name.h"

namespace run {
namespace {

struct JsonNumberCase {
  const char* name;
  double value;
  const char* text;
};

const JsonNumberCase kJsonNumberCases[] = {
    {"Zero", 0.0, "0"},
    {"SinglePrecisionValue", static_cast<double>(0.1f), "0.100000001"},
    {"Negative", -1.5, "-1.5"},
    {"NotANumber", std::numeric_limits<double>::quiet_NaN(), "null"},
    {"Infinity", std::numeric_limits<double>::infinity(), "null"},
    {"NegativeInfinity", -std::numeric_limits<double>::infinity(), "null"},
};

class JsonNumber : public ::testing::TestWithParam<JsonNumberCase> {};

TEST_P(JsonNumber, IsNineSignificantDigitsOrNull) {
  std::string text = "[";
  AppendJsonNumber(text, GetParam().value);
  EXPECT_EQ(text, std::string("[") + GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, JsonNumber, ::testing::ValuesIn(kJsonNumberCases),
                         test_support::CaseName());

TEST(OutputText, IntegersKeepEveryDigitAndTheirSign) {
  std::string text;
  AppendInteger(text, std::numeric_limits<std::int32_t>::min());
  text += ' ';
  AppendInteger(text, std::numeric_limits<std::uint64_t>::max());
  EXPECT_EQ(text, "-2147483648 18446744073709551615");
}

TEST(OutputText, ParametersComeInTableOrderInEveryForm) {
  model::RunArguments arguments = DefaultRunArguments();
  arguments.paramX = -0.3;
  std::string names;
  std::string values;
  std::string json;
  AppendParameterNames(names);
  AppendParameterValues(values, arguments);
  AppendJsonParameters(json, arguments);
  std::string expectedNames;
  std::string expectedValues;
  std::string expectedJson = "\"parameters\":{";
  for (const ParameterRow& entry : ParameterTable()) {
    const std::string value = FormatRoundTrip(ParameterValue(entry, arguments));
    expectedNames += std::string(entry.name) + ',';
    expectedValues += value + ',';
    if (expectedJson.back() != '{') expectedJson += ',';
    expectedJson += '"' + std::string(entry.name) + "\":" + value;
  }
  EXPECT_EQ(names, expectedNames);
  EXPECT_EQ(values, expectedValues);
  EXPECT_EQ(json, expectedJson + '}');
  EXPECT_NE(values.find(",-0.3,"), std::string::npos);
}

TEST(OutputText, StepsAndSeriesArraysCoverEveryStep) {
  std::string steps;
  AppendJsonStepArray(steps);
  EXPECT_EQ(steps.substr(0, 14), "\"step\":[0,1,2,");
  EXPECT_EQ(steps.substr(steps.size() - 8), ",99,100]");
  std::string series;
  AppendJsonSeriesArray(series, "s", [](int k) { return k == 100 ? 0.5 : 0.0; });
  EXPECT_EQ(series.substr(0, 9), "\"s\":[0,0,");
  EXPECT_EQ(series.substr(series.size() - 7), ",0,0.5]");
  EXPECT_EQ(std::count(series.begin(), series.end(), ','), 100);
}

TEST(OutputText, ACsvStepIsTheStepAndFiveValues) {
  std::string text;
  AppendCsvStep(text, 42, [](int s) { return s * 0.25; });
  EXPECT_EQ(text, "42,0,0.25,0.5,0.75,1");
}

}  // namespace
}  // namespace run
