#include "response/nice_ticks.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/support/case_name.h"

namespace response {
namespace {

struct TickCase {
  const char* name;
  double low;
  double high;
  std::vector<std::string> texts;
};

const TickCase kCases[] = {
    {"UnitRange", 0.0, 1.0, {"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}},
    {"Quarters", 0.1, 0.3, {"0.10", "0.15", "0.20", "0.25", "0.30"}},
    {"Negative", -1.0, 1.0, {"-1.0", "-0.5", "0.0", "0.5", "1.0"}},
    {"Counts", 0.0, 200.0, {"0", "50", "100", "150", "200"}},
    {"LargeAndNarrow", -12345.70, -12345.55, {"-12345.70", "-12345.65", "-12345.60", "-12345.55"}},
};

class Ticks : public testing::TestWithParam<TickCase> {};

TEST_P(Ticks, ReadApartWithTheDecimalsTheirStepNeeds) {
  const std::vector<std::string> texts = TickTexts(NiceTicks(GetParam().low, GetParam().high));
  EXPECT_EQ(texts, GetParam().texts);
  EXPECT_EQ(std::set<std::string>(texts.begin(), texts.end()).size(), texts.size());
}

INSTANTIATE_TEST_SUITE_P(Cases, Ticks, testing::ValuesIn(kCases), test_support::CaseName());

TEST(Ticks, AnEmptyRangeGivesItsOneValue) {
  EXPECT_EQ(NiceTicks(0.5, 0.5), (std::vector<double>{0.5}));
  EXPECT_EQ(TickTexts({0.5}), (std::vector<std::string>{"0.5"}));
}

}  // namespace
}  // namespace response
