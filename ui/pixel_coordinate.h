#pragma once

#include <cmath>
#include <limits>
#include <optional>

namespace ui {

// A real-valued coordinate truncated toward zero, or nullopt when it is NaN,
// infinite or beyond the range of int: converting those is undefined.
inline std::optional<int> ToPixel(double coordinate) {
  constexpr double kLowest = std::numeric_limits<int>::min();
  constexpr double kHighest = std::numeric_limits<int>::max();
  if (!std::isfinite(coordinate)) return std::nullopt;
  const double truncated = std::trunc(coordinate);
  if (truncated < kLowest || truncated > kHighest) return std::nullopt;
  return static_cast<int>(truncated);
}

}  // namespace ui
