#pragma once

#include <cmath>

namespace model {

// p raised to a positive power. Bases 0 and 1 and not-a-number are answered
// without calling pow: propensities sit there often, and the result is the same.
inline double PowPositive(double p, double exponent) {
  if (p == 0.0) return 0.0;
  if (p == 1.0) return 1.0;
  if (std::isnan(p)) return p;
  return std::pow(p, exponent);
}

// Moves propensity p for signal s, given exponent = 1 / |s|: a positive signal
// makes the action just taken more likely, a negative one less likely; a zero
// signal leaves p alone.
inline double UpdateWithExponent(double p, double s, double exponent, bool tookAction) {
  if (s == 0.0) return p;
  const double q = PowPositive(p, exponent);
  return tookAction ? p + (1.0 - q) * s : p - (1.0 - q) * s;
}

inline double UpdatePropensity(double p, double s, bool tookAction) {
  return UpdateWithExponent(p, s, 1.0 / std::fabs(s), tookAction);
}

}  // namespace model
