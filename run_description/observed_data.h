#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/result_series.h"

namespace run {

// One measured value: series (a model::SeriesIndex) at step.
struct ObservedPoint {
  int series = 0;
  int step = 0;
  double value = 0.0;
};

// What was measured in a real group, to fit the model to: any of the five
// series at any of the steps, the missing ones left out.
struct ObservedData {
  // Ordered by series, then step.
  std::vector<ObservedPoint> points;
  // The series the file has a column of, by model::SeriesIndex.
  std::array<bool, model::kSeriesCount> columns{};
};

struct ObservedDataReading {
  std::optional<ObservedData> data;
  std::string error;  // the first fault, naming its line and field, when data is empty
};

// Larger than any file of 101 steps by far.
inline constexpr std::size_t kMaxObservedDataBytes = 1 << 20;

// Reads a CSV of observed values: any lines starting with '#' first (so a
// series CSV of corvellan-run is observed data as it stands), then a header of
// `step` and one or more series names as the series CSV names them, in any
// order, then one row per step observed, steps 0 to 100 in any order, each at
// most once. A value left empty or written NA is missing; every other value is
// a number in its series' range. The last line may lack its end.
ObservedDataReading ReadObservedData(std::string_view text);

}  // namespace run
