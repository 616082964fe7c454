#pragma once

#include <span>

namespace batch {

// What an analysis reads off one run, its values laid out as in run_values.h.

// Series' value at step.
double ValueAtStep(std::span<const float> run, int series, int step);

// Series' mean over steps first to last (both included), the steps added in
// order in double precision.
double MeanOverSteps(std::span<const float> run, int series, int first, int last);

}  // namespace batch
