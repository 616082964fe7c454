#include "abc/posterior_summary.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace abc {
namespace {

constexpr double kLowerQuantile = 0.05;
constexpr double kMedian = 0.5;
constexpr double kUpperQuantile = 0.95;

}  // namespace

double WeightedQuantile(std::span<const double> values, std::span<const double> weights, double q) {
  std::vector<std::size_t> order(values.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return values[a] < values[b]; });
  const double total = std::accumulate(weights.begin(), weights.end(), 0.0);
  double sum = 0.0;
  for (const std::size_t i : order) {
    sum += weights[i];
    if (sum >= q * total) return values[i];
  }
  return values[order.back()];
}

MarginalSummary SummariseParameter(const Population& population, std::size_t parameter) {
  const std::vector<double> values = ParameterValues(population, parameter);
  const std::vector<double> weights = Weights(population);
  const double total = std::accumulate(weights.begin(), weights.end(), 0.0);
  MarginalSummary summary;
  for (std::size_t i = 0; i < values.size(); ++i) summary.mean += weights[i] * values[i];
  summary.mean /= total;
  double variance = 0.0;
  for (std::size_t i = 0; i < values.size(); ++i) {
    variance += weights[i] * (values[i] - summary.mean) * (values[i] - summary.mean);
  }
  summary.standardDeviation = std::sqrt(variance / total);
  summary.q05 = WeightedQuantile(values, weights, kLowerQuantile);
  summary.median = WeightedQuantile(values, weights, kMedian);
  summary.q95 = WeightedQuantile(values, weights, kUpperQuantile);
  return summary;
}

}  // namespace abc
