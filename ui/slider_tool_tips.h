#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "ui/slider_table.h"

namespace ui {

// What a trackbar's tooltip says: the parameter's name as the panel shows it,
// what it means and the values the trackbar covers.
struct SliderToolTip {
  std::int32_t trackbarId;
  std::string_view text;
};

// One row per trackbar, in the order of kSliderTable.
extern const std::array<SliderToolTip, kSliderCount> kSliderToolTips;

// The text of trackbarId's row; empty for an id without one.
std::string_view SliderToolTipText(std::int32_t trackbarId);

// The parameter's name as the panel shows it ("J", "R Median"): the tooltip
// up to its dash.
std::string_view SliderName(std::int32_t trackbarId);

}  // namespace ui
