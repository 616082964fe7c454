#include "run_description/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "tests/support/case_name.h"

namespace run {
namespace {

struct SignificantCase {
  const char* name;
  float value;
};

// Series values print as printf("%.9g") prints them in the C locale.
class Significant : public testing::TestWithParam<SignificantCase> {};

TEST_P(Significant, IsWhatPrintfWrites) {
  char expected[32];
  std::snprintf(expected, sizeof expected, "%.9g", static_cast<double>(GetParam().value));
  std::string text;
  AppendSignificant(text, GetParam().value);
  EXPECT_EQ(text, expected);
}

TEST_P(Significant, ReadsBackAsTheSameFloat) {
  const float value = GetParam().value;
  std::string text;
  AppendSignificant(text, value);
  const float readBack = std::strtof(text.c_str(), nullptr);
  if (std::isnan(value)) {
    EXPECT_TRUE(std::isnan(readBack)) << text;
  } else {
    EXPECT_EQ(readBack, value) << text;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Values, Significant,
    testing::Values(SignificantCase{"Zero", 0.0F}, SignificantCase{"NegativeZero", -0.0F},
                    SignificantCase{"Tenth", 0.1F}, SignificantCase{"One", 1.0F},
                    SignificantCase{"Third", 1.0F / 3.0F},
                    SignificantCase{"Smallest", std::numeric_limits<float>::denorm_min()},
                    SignificantCase{"Largest", std::numeric_limits<float>::max()},
                    SignificantCase{"SmallNegative", -1.17549435e-38F},
                    SignificantCase{"Million", 1234567.0F},
                    SignificantCase{"Infinity", std::numeric_limits<float>::infinity()},
                    SignificantCase{"NotANumber", std::numeric_limits<float>::quiet_NaN()}),
    test_support::CaseName());

TEST(RoundTrip, GivesTheShortestTextOfTheSameDouble) {
  EXPECT_EQ(FormatRoundTrip(35 * 0.01), "0.35000000000000003");
  EXPECT_EQ(FormatRoundTrip(0.35), "0.35");
  EXPECT_EQ(FormatRoundTrip(-0.0), "-0");
  EXPECT_EQ(FormatRoundTrip(100), "100");
  EXPECT_EQ(*ParseReal(FormatRoundTrip(0.1 + 0.2)).value, 0.1 + 0.2);
}

}  // namespace
}  // namespace run

namespace run {
namespace {

// A number beyond a double either way is refused, and the refusal says which
// way: "1e-400" is no large number.
struct OutOfRangeCase {
  const char* name;
  const char* text;
  const char* problem;
};

const OutOfRangeCase kOutOfRange[] = {
    {"Huge", "1e400", "is too large"},
    {"HugeNegative", "-1e400", "is too large"},
    {"HugeWithoutExponent",
     "1"
     "000000000000000000000000000000000000000000000000000000000000"
     "000000000000000000000000000000000000000000000000000000000000"
     "000000000000000000000000000000000000000000000000000000000000"
     "000000000000000000000000000000000000000000000000000000000000"
     "000000000000000000000000000000000000000000000000000000000000"
     "0000000000",
     "is too large"},
    {"HugeByAFractionWithALargeExponent", "0.001e312", "is too large"},
    {"Tiny", "1e-400", "is too small to represent"},
    {"TinyNegative", "-1e-400", "is too small to represent"},
    {"TinyWithPlusSign", "+2.5e-400", "is too small to represent"},
    {"TinyByAFraction", "0.0001e-330", "is too small to represent"},
    {"TinyDespiteLargeDigits", "123456e-400", "is too small to represent"},
    {"TinyWithAnEndlessExponent", "1e-99999999999999999999999", "is too small to represent"},
    {"HugeWithAnEndlessExponent", "1e99999999999999999999999", "is too large"},
};

class OutOfRange : public testing::TestWithParam<OutOfRangeCase> {};

TEST_P(OutOfRange, SaysWhichWay) {
  const ParsedReal parsed = ParseReal(GetParam().text);
  EXPECT_FALSE(parsed.value);
  EXPECT_EQ(parsed.error, Quoted(GetParam().text) + " " + GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(Cases, OutOfRange, testing::ValuesIn(kOutOfRange),
                         test_support::CaseName());

}  // namespace
}  // namespace run
