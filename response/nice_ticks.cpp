#include "response/nice_ticks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

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

std::string TickText(double value, double step) {
  constexpr int kMostDecimals = 12;
  constexpr int kLoneDigits = 6;
  constexpr double kTen = 10.0;
  // How far from a whole number of units a scaled step may lie and still
  // count as one (the steps are products of binary fractions).
  constexpr double kWhole = 1e-6;
  char text[64];
  if (!(step > 0.0) || !std::isfinite(step)) {
    // A lone tick: nothing to tell it from.
    std::snprintf(text, sizeof text, "%.*g", kLoneDigits, value);
    return text;
  }
  int decimals = std::clamp(static_cast<int>(std::floor(-std::log10(step))), 0, kMostDecimals);
  // A step of 0.25 needs two decimals, though a tenth is bigger.
  while (decimals < kMostDecimals) {
    const double units = step * std::pow(kTen, decimals);
    if (std::abs(units - std::round(units)) <= kWhole) break;
    ++decimals;
  }
  // Zero without its sign.
  std::snprintf(text, sizeof text, "%.*f", decimals, value == 0.0 ? 0.0 : value);
  return text;
}

std::vector<std::string> TickTexts(const std::vector<double>& ticks) {
  const double step = ticks.size() > 1 ? ticks[1] - ticks[0] : 0.0;
  std::vector<std::string> texts;
  texts.reserve(ticks.size());
  for (const double tick : ticks) texts.push_back(TickText(tick, step));
  return texts;
}

}  // namespace response
