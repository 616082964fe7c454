#pragma once

#include <cmath>
#include <cstddef>
#include <span>

namespace test_support {

// Quantile p of sorted values as numpy.quantile gives it by default, written
// out straight as the oracle of the selection the summaries use: h = (n - 1) p,
// then x[floor h] + (h - floor h) (x[floor h + 1] - x[floor h]), in numpy's
// rounding-safe form b - (b - a)(1 - t) when the fraction t is at least 1/2.
inline double SortedQuantile(std::span<const double> sorted, double p) {
  const double h = static_cast<double>(sorted.size() - 1) * p;
  const double below = std::floor(h);
  const auto lower = static_cast<std::size_t>(below);
  const std::size_t upper = lower + 1 < sorted.size() ? lower + 1 : lower;
  const double t = h - below;
  const double a = sorted[lower];
  const double b = sorted[upper];
  return t >= 0.5 ? b - (b - a) * (1.0 - t) : a + (b - a) * t;
}

}  // namespace test_support
