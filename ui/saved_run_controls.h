#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/attribute.h"
#include "model/run_arguments.h"
#include "ui/slider_table.h"

namespace ui {

// What the window's controls must hold to make a run with given arguments.
struct ControlSettings {
  std::array<int, kSliderCount> positions{};  // by row of kSliderTable
  std::array<int, model::kAttributes.size()> kinds{};
  bool sanctions = false;
};

struct ControlMapping {
  std::optional<ControlSettings> settings;
  std::string error;  // the first parameter no control can give, when settings is empty
  // Parameters taken at a position whose value differs from theirs by a
  // rounding error: the run may then differ from the one saved.
  std::vector<std::string> approximated;
};

// Within this distance of a position's value, a saved value is taken for it:
// 0.35 stands for position 35, whose value is 35 * 0.01 = 0.35000000000000003.
inline constexpr double kPositionTolerance = 1e-9;

// Maps each parameter to the control that feeds it in a window of agentCount
// agents; a value no position gives exactly or within kPositionTolerance, an
// agent count other than the window's and a fixed parameter other than its
// default are refused.
ControlMapping MapToControls(const model::RunArguments& arguments, int agentCount);

}  // namespace ui
