#pragma once

#include <cmath>

namespace model {

// The transcendental functions a run calls, gathered in one type that the run
// takes as a template argument: a test build can pass its own to watch the
// calls, while this one compiles to the plain library calls.
struct StandardMath {
  static double Exp(double x) { return std::exp(x); }
  static double Pow(double base, double exponent) { return std::pow(base, exponent); }
  static double Log(double x) { return std::log(x); }
  static double Sqrt(double x) { return std::sqrt(x); }
};

}  // namespace model
