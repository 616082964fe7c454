#pragma once

#include <span>

#include "run_description/observed_data.h"

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

// How far the run lies from observed values: the root of the mean, over the
// points, of the squared difference between the run's value of the point's
// series at its step and the point's value, added in order in double
// precision.
double RootMeanSquareDistance(std::span<const float> run,
                              std::span<const run::ObservedPoint> points);

}  // namespace batch
