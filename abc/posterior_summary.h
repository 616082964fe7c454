#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "abc/population.h"

namespace abc {

// The weighted q-quantile of values: the smallest value whose weight, with
// the weights of every smaller value, makes up at least q of the total.
double WeightedQuantile(std::span<const double> values, std::span<const double> weights, double q);

// What a population says of one parameter.
struct MarginalSummary {
  double mean = 0.0;
  double standardDeviation = 0.0;  // of the weighted population, without a sample correction
  double q05 = 0.0;
  double median = 0.0;
  double q95 = 0.0;  // q05 to q95: the 90 % credible interval
};

MarginalSummary SummariseParameter(const Population& population, std::size_t parameter);

}  // namespace abc
