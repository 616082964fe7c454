#pragma once

#include <cstddef>
#include <cstdint>

namespace ui {

// The windows that analyse the run on screen, each opened from the graph's menu.
enum class AnalysisWindow : std::uint8_t {
  kResponse,
  kMap,
  kSensitivity,
  kCalibration,
  kPopulation,
};
inline constexpr std::size_t kAnalysisWindowCount = 5;

}  // namespace ui
