#include "batch/decimal_range.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_description/number_text.h"
#include "tests/support/case_name.h"

namespace batch {
namespace {

constexpr std::size_t kPlenty = 1000;

struct RangeCase {
  const char* name;
  const char* start;
  const char* stop;
  const char* step;
  std::vector<std::string> values;
};

const RangeCase kRanges[] = {
    {"Tenths",
     "0",
     "1",
     "0.1",
     {"0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1"}},
    {"StopOffTheGrid", "0", "1", "0.3", {"0", "0.3", "0.6", "0.9"}},
    {"SingleValue", "0.25", "0.25", "1", {"0.25"}},
    {"StepLargerThanRange", "0", "0.5", "2", {"0"}},
    {"Negative", "-1", "1", "0.5", {"-1", "-0.5", "0", "0.5", "1"}},
    {"CrossesZeroFromFractions", "-0.15", "0.15", "0.1", {"-0.15", "-0.05", "0.05", "0.15"}},
    {"TrailingZerosDropped", "0.10", "0.30", "0.10", {"0.1", "0.2", "0.3"}},
    {"WholeNumbersFromDecimals", "10", "30", "10.0", {"10", "20", "30"}},
    {"MixedScales", "1", "1.3", "0.15", {"1", "1.15", "1.3"}},
    {"PlusSigns", "+0.5", "+1", "+0.25", {"0.5", "0.75", "1"}},
    {"LeadingPoint", ".5", "1.", ".25", {"0.5", "0.75", "1"}},
    {"SmallSteps", "0.999", "1.001", "0.001", {"0.999", "1", "1.001"}},
};

class ExpandedRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(ExpandedRange, GivesTheExactDecimals) {
  const RangeCase& c = GetParam();
  const DecimalRange range = ExpandDecimalRange(c.start, c.stop, c.step, kPlenty);
  EXPECT_EQ(range.error, "");
  EXPECT_EQ(range.values, c.values);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExpandedRange, ::testing::ValuesIn(kRanges),
                         test_support::CaseName());

TEST(DecimalRange, EveryValueIsTheDoubleNearestItsDecimal) {
  const DecimalRange range = ExpandDecimalRange("0", "1", "0.1", kPlenty);
  ASSERT_EQ(range.values.size(), 11u);
  EXPECT_EQ(*run::ParseReal(range.values[3]).value, 0.3);
  EXPECT_NE(0.0 + 0.1 + 0.1 + 0.1, 0.3);  // what adding the step would have given
  EXPECT_NE(3 * 0.1, 0.3);
  EXPECT_EQ(*run::ParseReal(range.values[7]).value, 0.7);
}

struct RefusedRange {
  const char* name;
  const char* start;
  const char* stop;
  const char* step;
  std::size_t maxValues;
  const char* message;
};

const RefusedRange kRefused[] = {
    {"StartAboveStop", "1", "0", "0.1", kPlenty, "empty range: START 1 is above STOP 0"},
    {"ZeroStep", "0", "1", "0", kPlenty, "the step must be positive, got \"0\""},
    {"ZeroStepWithDecimals", "0", "1", "0.000", kPlenty, "the step must be positive"},
    {"NegativeStep", "0", "1", "-0.1", kPlenty, "the step must be positive, got \"-0.1\""},
    {"Exponent", "0", "1", "1e-1", kPlenty, "expected a plain decimal like 0.25, got \"1e-1\""},
    {"Word", "zero", "1", "0.1", kPlenty, "expected a plain decimal like 0.25, got \"zero\""},
    {"Empty", "", "1", "0.1", kPlenty, "expected a plain decimal like 0.25, got \"\""},
    {"SignOnly", "-", "1", "0.1", kPlenty, "expected a plain decimal"},
    {"PointOnly", "0", ".", "0.1", kPlenty, "expected a plain decimal"},
    {"TwoPoints", "0", "1.0.0", "0.1", kPlenty, "expected a plain decimal"},
    {"Infinity", "0", "inf", "1", kPlenty, "expected a plain decimal"},
    {"TooManyDigits", "0", "12345678901234567890", "1", kPlenty, "has too many digits"},
    {"TooManyDigitsAligned", "0", "1234567890123", "0.0000001", kPlenty, "too many digits"},
    {"TooManyValues", "0", "1", "0.001", 100, "the range has more than 100 values"},
};

class RefusedDecimalRange : public ::testing::TestWithParam<RefusedRange> {};

TEST_P(RefusedDecimalRange, SaysWhy) {
  const RefusedRange& c = GetParam();
  const DecimalRange range = ExpandDecimalRange(c.start, c.stop, c.step, c.maxValues);
  EXPECT_TRUE(range.values.empty());
  EXPECT_NE(range.error.find(c.message), std::string::npos) << range.error;
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedDecimalRange, ::testing::ValuesIn(kRefused),
                         test_support::CaseName());

}  // namespace
}  // namespace batch
