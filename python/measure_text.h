#pragma once

#include <span>
#include <string>
#include <string_view>

namespace pymodule {

// What model_function reads off each run: a series' value at one step, or
// its mean over steps first to last (batch/measures.h).
struct MeasureChoice {
  int series = 0;
  int first = 0;
  int last = 0;

  double Of(std::span<const float> run) const;
};

// Reads "SERIES" (the value at the last step), "SERIES@STEP" or
// "SERIES@FIRST:LAST"; raises ValueError naming what is accepted.
MeasureChoice ReadMeasure(std::string_view text);

}  // namespace pymodule
