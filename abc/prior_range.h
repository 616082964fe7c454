#pragma once

#include <span>

namespace abc {

// A uniform prior on one parameter: every value from low to high alike, or,
// for a whole parameter (a count of agents), every whole number from low to
// high alike.
struct PriorRange {
  double low = 0.0;
  double high = 1.0;
  bool whole = false;

  bool Contains(double value) const { return value >= low && value <= high; }
};

// Whether every parameter of theta lies within its prior.
inline bool InsidePriors(std::span<const PriorRange> priors, std::span<const double> theta) {
  for (std::size_t i = 0; i < priors.size(); ++i) {
    if (!priors[i].Contains(theta[i])) return false;
  }
  return true;
}

}  // namespace abc
