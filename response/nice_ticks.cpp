#include "response/nice_ticks.h"

#include <cmath>

namespace response {

std::vector<double> NiceTicks(double low, double high, int about) {
  constexpr double kStepFactors[] = {1.0, 2.0, 5.0, 10.0};
  constexpr double kTen = 10.0;
  // A tick this close to the end still counts as on it.
  constexpr double kEndTolerance = 1e-9;
  const double rough = (high - low) / about;
  if (!(rough > 0.0) || !std::isfinite(rough)) return {low};
  const double power = std::pow(kTen, std::floor(std::log10(rough)));
  double step = power * kTen;
  for (const double factor : kStepFactors) {
    if (power * factor >= rough) {
      step = power * factor;
      break;
    }
  }
  std::vector<double> ticks;
  for (double k = std::ceil(low / step); k * step <= high + step * kEndTolerance; ++k) {
    ticks.push_back(std::abs(k) < 0.5 ? 0.0 : k * step);
  }
  return ticks;
}

}  // namespace response
