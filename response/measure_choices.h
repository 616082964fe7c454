#pragma once

#include "batch/response_sweep.h"

namespace response {

// The measures an analysis window offers, with the words its list shows.
struct MeasureChoice {
  batch::ResponseMeasure measure;
  const char* text;
};
inline constexpr MeasureChoice kMeasureChoices[] = {
    {batch::ResponseMeasure::kFinalValue, "value at step 100"},
    {batch::ResponseMeasure::kLateMean, "mean over steps 81\u2013100"},
};

}  // namespace response
