#include "ui/slope_exchange.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace {

struct TextCase {
  double value;
  const char* text;
};

std::ostream& operator<<(std::ostream& out, const TextCase& c) {
  return out << c.text;
}

class SlopeTexts : public testing::TestWithParam<TextCase> {};

TEST_P(SlopeTexts, UseFifteenSignificantDigits) {
  EXPECT_EQ(ui::SlopeText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, SlopeTexts,
                         testing::Values(TextCase{10.0, "10"}, TextCase{0.0, "0"},
                                         TextCase{1000000.0, "1000000"}, TextCase{0.1, "0.1"},
                                         TextCase{1.0 / 3.0, "0.333333333333333"},
                                         TextCase{1e20, "1e+20"}));

struct ScanCase {
  const char* text;
  std::optional<double> value;
};

std::ostream& operator<<(std::ostream& out, const ScanCase& c) {
  return out << '"' << c.text << '"';
}

class SlopeScans : public testing::TestWithParam<ScanCase> {};

TEST_P(SlopeScans, FollowTheFormattedScan) {
  EXPECT_EQ(ui::ScanSlope(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, SlopeScans,
                         testing::Values(ScanCase{"10", 10.0}, ScanCase{"  7.5", 7.5},
                                         ScanCase{"42xyz", 42.0}, ScanCase{"-3", -3.0},
                                         ScanCase{"1e3", 1000.0}, ScanCase{"abc", std::nullopt},
                                         ScanCase{"", std::nullopt}, ScanCase{"   ", std::nullopt},
                                         ScanCase{"x1", std::nullopt}));

TEST(SlopeScans, ReadAtMost399Characters) {
  const std::string blanksThenNumber = std::string(ui::kSlopeTextLimit, ' ') + "5";
  EXPECT_EQ(ui::ScanSlope(blanksThenNumber), std::nullopt);
  const std::string justFits = std::string(ui::kSlopeTextLimit - 1, ' ') + "5";
  EXPECT_EQ(ui::ScanSlope(justFits), 5.0);
}

struct RangeCase {
  double value;
  bool inRange;
};

std::ostream& operator<<(std::ostream& out, const RangeCase& c) {
  return out << c.value;
}

class SlopeRange : public testing::TestWithParam<RangeCase> {};

TEST_P(SlopeRange, IncludesBothBounds) {
  EXPECT_EQ(ui::SlopeInRange(GetParam().value), GetParam().inRange);
}

INSTANTIATE_TEST_SUITE_P(Values, SlopeRange,
                         testing::Values(RangeCase{0.0, true}, RangeCase{1000000.0, true},
                                         RangeCase{10.0, true}, RangeCase{-0.001, false},
                                         RangeCase{1000000.001, false}));

TEST(SlopeMessages, NameTheBounds) {
  EXPECT_EQ(ui::SlopeRangeMessage(), "Please enter a number between 0 and 1000000.");
  EXPECT_EQ(ui::kMessageNotANumber, "Please enter a number.");
}

}  // namespace
