#include "batch/measures.h"

#include <cmath>

#include "batch/run_values.h"

namespace batch {

double ValueAtStep(std::span<const float> run, int series, int step) {
  return run[ValueIndex(series, step)];
}

double MeanOverSteps(std::span<const float> run, int series, int first, int last) {
  double sum = 0.0;
  for (int k = first; k <= last; ++k) sum += run[ValueIndex(series, k)];
  return sum / (last - first + 1);
}

double RootMeanSquareDistance(std::span<const float> run,
                              std::span<const run::ObservedPoint> points) {
  double sum = 0.0;
  for (const run::ObservedPoint& point : points) {
    const double difference = ValueAtStep(run, point.series, point.step) - point.value;
    sum += difference * difference;
  }
  return std::sqrt(sum / static_cast<double>(points.size()));
}

}  // namespace batch
