#pragma once

#include <array>

namespace model {

inline constexpr int kStepCount = 101;  // time points 0 to 100

// Indices of the five result series, in the order the model stores them.
enum SeriesIndex : int {
  kFirstOrderRate = 0,
  kSecondOrderRate = 1,
  kMeanPropensityVolunteers = 2,
  kMeanPropensityNonVolunteers = 3,
  kMeanPropensity = 4,
  kSeriesCount = 5,
};

// Names of the series, by index; also the column names of exported tables.
inline constexpr const char* kSeriesNames[kSeriesCount] = {
    "firstOrderRate", "secondOrderRate", "meanPropensityVolunteers", "meanPropensityNonVolunteers",
    "meanPropensity"};

// The five series of a run by index, each null or kStepCount values.
using SeriesPointers = std::array<const float*, kSeriesCount>;

}  // namespace model
