#include "ui/slider_tool_tips.h"

#include <gtest/gtest.h>

#include <string_view>

#include "res/control_ids.h"
#include "tests/support/case_name.h"

namespace ui {
namespace {

struct ToolTipCase {
  const char* name;
  int trackbarId;
  std::string_view panelName;
  std::string_view text;
};

// One of each kind of range: from zero, signed, a narrow and a wide sigma, one
// that starts above zero, a share.
const ToolTipCase kCases[] = {
    {"J", res::kIdSliderJ, "J", "J \u2014 scale exponent of the first-order cost, 0.00 to 1.00"},
    {"X", res::kIdSliderX, "X",
     "X \u2014 lowers the logistic response by (1 - X) / 2, -1.00 to 1.00"},
    {"SigmaR", res::kIdSliderSigmaR, "R Sigma",
     "R Sigma \u2014 spread of R, each agent's share of the first-order contribution, 0.00 to "
     "0.35"},
    {"SigmaE", res::kIdSliderSigmaE, "E Sigma",
     "E Sigma \u2014 spread of E, the factor on both of an agent's signals, 0.00 to 0.20"},
    {"M", res::kIdSliderM, "m", "m \u2014 exponent of the sanction term, 1.00 to 2.00"},
    {"CountRPrime", res::kIdSliderCountRPrime, "R' N",
     "R' N \u2014 share of the agents that carry R', 0.00 to 1.00"},
    {"CorrET", res::kIdSliderCorrET, "E & T", "E & T \u2014 correlation of E and T, -1.00 to 1.00"},
    {"NoTrackbar", res::kIdButtonDumpData, "", ""},
};

class SliderToolTip : public ::testing::TestWithParam<ToolTipCase> {};

TEST_P(SliderToolTip, NamesTheParameterWhatItIsAndItsRange) {
  EXPECT_EQ(SliderToolTipText(GetParam().trackbarId), GetParam().text);
  EXPECT_EQ(SliderName(GetParam().trackbarId), GetParam().panelName);
}

INSTANTIATE_TEST_SUITE_P(Cases, SliderToolTip, ::testing::ValuesIn(kCases),
                         test_support::CaseName());

TEST(SliderToolTips, EveryTrackbarHasItsOwn) {
  for (const SliderSpec& row : kSliderTable) {
    const std::string_view text = SliderToolTipText(row.trackbarId);
    EXPECT_TRUE(text.starts_with(SliderName(row.trackbarId))) << text;
    EXPECT_FALSE(SliderName(row.trackbarId).empty()) << row.trackbarId;
  }
}

}  // namespace
}  // namespace ui
