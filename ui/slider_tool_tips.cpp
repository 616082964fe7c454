#include "ui/slider_tool_tips.h"

#include <string>

#include "run_description/parameter_rows.h"
#include "ui/value_label_text.h"

namespace ui {
namespace {

constexpr std::string_view kDash = " \u2014 ";

const run::PanelView& PanelOf(const SliderSpec& row) {
  return run::TrackbarParameter(SliderRow(row)).panel;
}

// "<name> — <what it is>, <lowest> to <highest value>"
std::string ToolTipOf(const SliderSpec& row) {
  const run::PanelView& panel = PanelOf(row);
  return std::string(panel.name) + std::string(kDash) + std::string(panel.tip) + ", " +
         ValueLabelText(row.rangeMin * row.scale, row.decimals) + " to " +
         ValueLabelText(row.rangeMax * row.scale, row.decimals);
}

const std::array<std::string, kSliderCount>& ToolTips() {
  static const std::array<std::string, kSliderCount> tips = [] {
    std::array<std::string, kSliderCount> made;
    for (std::size_t i = 0; i < kSliderCount; ++i) made[i] = ToolTipOf(kSliderTable[i]);
    return made;
  }();
  return tips;
}

}  // namespace

std::string_view SliderToolTipText(std::int32_t trackbarId) {
  const SliderSpec* row = FindSlider(trackbarId);
  return row == nullptr ? std::string_view()
                        : std::string_view(ToolTips()[static_cast<std::size_t>(SliderRow(*row))]);
}

std::string_view SliderName(std::int32_t trackbarId) {
  const SliderSpec* row = FindSlider(trackbarId);
  return row == nullptr ? std::string_view() : PanelOf(*row).name;
}

}  // namespace ui
