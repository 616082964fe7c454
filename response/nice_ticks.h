#pragma once

#include <vector>

namespace response {

// Round tick values (steps of 1, 2 or 5 times a power of ten) from low to
// high, about `about` of them; just low when the range is empty.
std::vector<double> NiceTicks(double low, double high, int about = 5);

}  // namespace response
