#pragma once

#include <string>
#include <vector>

namespace response {

// Round tick values (steps of 1, 2 or 5 times a power of ten) from low to
// high, about `about` of them; just low when the range is empty.
std::vector<double> NiceTicks(double low, double high, int about = 5);

// A tick's value with as many decimals as its step needs, so that
// neighbouring ticks never read alike: "0.25" for steps of 0.05, "12340" for 10.
std::string TickText(double value, double step);

// Each tick's text, the step taken from their spacing.
std::vector<std::string> TickTexts(const std::vector<double>& ticks);

}  // namespace response
