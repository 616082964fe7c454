#include "ui/slider_tool_tips.h"

#include <algorithm>

#include "res/control_ids.h"

namespace ui {

constinit const std::array<SliderToolTip, kSliderCount> kSliderToolTips = {{
    {res::kIdSliderJ, "J \u2014 scale exponent of the first-order cost, 0.00 to 1.00"},
    {res::kIdSliderX, "X \u2014 lowers the logistic response by (1 - X) / 2, -1.00 to 1.00"},
    {res::kIdSliderSigmaR,
     "R Sigma \u2014 spread of R, each agent's share of the first-order "
     "contribution, 0.00 to 0.35"},
    {res::kIdSliderMedianR,
     "R Median \u2014 median of R, each agent's share of the first-order "
     "contribution and base of its cost, 0.00 to 1.00"},
    {res::kIdSliderSigmaI,
     "I Sigma \u2014 spread of I, the weight of the logistic response in an "
     "agent's signals, 0.00 to 0.20"},
    {res::kIdSliderValueI,
     "I Value \u2014 value (median) of I, the weight of the logistic "
     "response in an agent's signals, 0.00 to 1.00"},
    {res::kIdSliderSigmaT,
     "T Sigma \u2014 spread of T, the threshold of an agent's logistic "
     "response, 0.00 to 0.20"},
    {res::kIdSliderValueT,
     "T Value \u2014 value (median) of T, the threshold of an agent's "
     "logistic response, 0.00 to 1.00"},
    {res::kIdSliderSigmaE,
     "E Sigma \u2014 spread of E, the factor on both of an agent's signals, "
     "0.00 to 0.20"},
    {res::kIdSliderValueE,
     "E Value \u2014 value (median) of E, the factor on both of an agent's "
     "signals, 0.00 to 1.00"},
    {res::kIdSliderJPrime, "J' \u2014 scale exponent of the sanction cost, 0.00 to 1.00"},
    {res::kIdSliderM, "m \u2014 exponent of the sanction term, 1.00 to 2.00"},
    {res::kIdSliderSigmaRPrime,
     "R' Sigma \u2014 spread of R', each agent's share of the "
     "second-order contribution, 0.00 to 0.35"},
    {res::kIdSliderMedianRPrime,
     "R' Median \u2014 median of R', each agent's share of the "
     "second-order contribution and base of its cost, 0.00 to 1.00"},
    {res::kIdSliderCountR, "R N \u2014 share of the agents that carry R, 0.00 to 1.00"},
    {res::kIdSliderCountRPrime, "R' N \u2014 share of the agents that carry R', 0.00 to 1.00"},
    {res::kIdSliderCorrRRPrime, "R & R' \u2014 correlation of R and R', -1.00 to 1.00"},
    {res::kIdSliderCorrRI, "R & I \u2014 correlation of R and I, -1.00 to 1.00"},
    {res::kIdSliderCorrRPrimeI, "R' & I \u2014 correlation of R' and I, -1.00 to 1.00"},
    {res::kIdSliderCorrET, "E & T \u2014 correlation of E and T, -1.00 to 1.00"},
}};

std::string_view SliderToolTipText(std::int32_t trackbarId) {
  const auto found = std::ranges::find(kSliderToolTips, trackbarId, &SliderToolTip::trackbarId);
  return found == kSliderToolTips.end() ? std::string_view() : found->text;
}

std::string_view SliderName(std::int32_t trackbarId) {
  constexpr std::string_view kNameEnd = " \u2014";
  const std::string_view tip = SliderToolTipText(trackbarId);
  return tip.substr(0, tip.find(kNameEnd));
}

}  // namespace ui
