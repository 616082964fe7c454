#pragma once

#include <span>

namespace batch {

// What an analysis reads off one run, its values laid out as in run_values.h.

// Series' value at step.
double ValueAtStep(std::span<const float> run, int series, int step);

// Series' mean over steps first to last (both included), the steps added in
// order in double precision.
double MeanOverSteps(std::span<const float> run, int series, int first, int last);

// A series' value at one step (first == last) or its mean over steps first to
// last, as an analysis names the number it studies.
struct SeriesMeasure {
  int series = 0;  // model::SeriesIndex
  int first = 0;
  int last = 0;

  double Of(std::span<const float> run) const {
    return first == last ? ValueAtStep(run, series, first)
                         : MeanOverSteps(run, series, first, last);
  }
};

}  // namespace batch
