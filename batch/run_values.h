#pragma once

#include <cstddef>

#include "model/result_series.h"

namespace batch {

// The five series of one run as one flat block of floats: series s at step k
// is at s * kStepCount + k. Workers hand runs over in this form.
inline constexpr std::size_t kValuesPerRun =
    static_cast<std::size_t>(model::kSeriesCount) * model::kStepCount;

constexpr std::size_t ValueIndex(int series, int step) {
  return static_cast<std::size_t>(series) * model::kStepCount + static_cast<std::size_t>(step);
}

}  // namespace batch
