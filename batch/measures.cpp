#include "batch/measures.h"

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

}  // namespace batch
