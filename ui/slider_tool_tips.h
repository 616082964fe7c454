#pragma once

#include <cstdint>
#include <string_view>

#include "ui/slider_table.h"

namespace ui {

// What a trackbar's tooltip says: the parameter's name as the panel shows it,
// what it is and the values the trackbar covers, all from the parameter's row
// (run_description/parameter_rows.h). Empty for an id that is no trackbar.
std::string_view SliderToolTipText(std::int32_t trackbarId);

// The parameter's name as the panel shows it ("J", "R Median").
std::string_view SliderName(std::int32_t trackbarId);

}  // namespace ui
