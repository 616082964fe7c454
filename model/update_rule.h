#pragma once

#include <cmath>

namespace model {

// p raised to a positive power. Bases 0 and 1 are answered without calling pow:
// propensities sit there often, and the result is exact either way.
inline double PowPositive(double p, double exponent) {
  if (p == 0.0) return 0.0;
  if (p == 1.0) return 1.0;
  return std::pow(p, exponent);
}

// Moves propensity p for signal s: a positive signal makes the action just
// taken more likely, a negative one less likely; a zero signal leaves p alone.
inline double UpdatePropensity(double p, double s, bool tookAction) {
  if (s == 0.0) return p;
  const double q = PowPositive(p, 1.0 / std::fabs(s));
  return tookAction ? p + (1.0 - q) * s : p - (1.0 - q) * s;
}

}  // namespace model
