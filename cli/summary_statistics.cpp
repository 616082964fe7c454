#include "cli/summary_statistics.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "cli/run_values.h"

namespace cli {
namespace {

constexpr double kLowQuantile = 0.05;
constexpr double kMedian = 0.5;
constexpr double kHighQuantile = 0.95;
constexpr double kLerpSwitch = 0.5;
constexpr std::size_t kFewestForDeviation = 2;  // n - 1 must not be 0

// numpy's _lerp: exact at t = 1 and monotonic in t.
double Lerp(double a, double b, double t) {
  const double difference = b - a;
  return t >= kLerpSwitch ? b - difference * (1.0 - t) : a + difference * t;
}

double Mean(std::span<const double> values) {
  double sum = 0.0;
  for (const double v : values) sum += v;
  return sum / static_cast<double>(values.size());
}

// Two passes: the sum of squared deviations from the mean.
double SampleStandardDeviation(std::span<const double> values, double mean) {
  if (values.size() < kFewestForDeviation) return 0.0;
  double squares = 0.0;
  for (const double v : values) squares += (v - mean) * (v - mean);
  return std::sqrt(squares / static_cast<double>(values.size() - 1));
}

}  // namespace

double Quantile(std::span<const double> sorted, double p) {
  const double h = static_cast<double>(sorted.size() - 1) * p;
  const double below = std::floor(h);
  const auto lower = static_cast<std::size_t>(below);
  const std::size_t upper = std::min(lower + 1, sorted.size() - 1);
  return Lerp(sorted[lower], sorted[upper], h - below);
}

SummaryStatistics Summarise(std::span<double> values) {
  if (std::any_of(values.begin(), values.end(), [](double v) { return std::isnan(v); })) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    return {nan, nan, nan, nan, nan};
  }
  SummaryStatistics statistics;
  statistics.mean = Mean(values);
  statistics.standardDeviation = SampleStandardDeviation(values, statistics.mean);
  std::sort(values.begin(), values.end());
  statistics.q05 = Quantile(values, kLowQuantile);
  statistics.q50 = Quantile(values, kMedian);
  statistics.q95 = Quantile(values, kHighQuantile);
  return statistics;
}

std::vector<SummaryStatistics> SummariseRuns(std::span<const float> runs, std::size_t runCount) {
  std::vector<SummaryStatistics> statistics(kValuesPerRun);
  std::vector<double> column(runCount);
  for (std::size_t i = 0; i < kValuesPerRun; ++i) {
    for (std::size_t run = 0; run < runCount; ++run) column[run] = runs[run * kValuesPerRun + i];
    statistics[i] = Summarise(column);
  }
  return statistics;
}

}  // namespace cli
