#include "ui/response_axes.h"

#include <string>

#include "run_description/parameter_table.h"
#include "ui/slider_table.h"

namespace ui {
namespace {

constexpr std::string_view kDistributionLabelEnd = " distribution";
constexpr std::array<double, 3> kKinds = {0, 1, 2};

}  // namespace

std::vector<batch::ResponseAxis> ResponseAxes(std::span<const int, kSliderCount> positions,
                                              std::span<const int, model::kAttributes.size()> kinds,
                                              int agentCount) {
  std::vector<batch::ResponseAxis> axes;
  const auto parameters = run::ParameterTable();
  for (std::size_t p = 0; p < parameters.size(); ++p) {
    const run::ParameterRow& parameter = parameters[p];
    const auto index = static_cast<std::size_t>(parameter.fedBy.index);
    const bool share = parameter.fedBy.feeder == run::Feeder::kTrackbarShare;
    if (parameter.fedBy.feeder == run::Feeder::kTrackbar || share) {
      const SliderSpec& row = kSliderTable[index];
      batch::ResponseAxis axis{std::string(parameter.panel.name), p, {}, 0};
      for (int position = row.rangeMin; position <= row.rangeMax; ++position) {
        const double value = position * row.scale;
        axis.values.push_back(share ? static_cast<int>(value * agentCount) : value);
      }
      axis.current = static_cast<std::size_t>(positions[index] - row.rangeMin);
      axes.push_back(std::move(axis));
    } else if (parameter.fedBy.feeder == run::Feeder::kRadioGroup) {
      axes.push_back({std::string(parameter.panel.name).append(kDistributionLabelEnd),
                      p,
                      {kKinds.begin(), kKinds.end()},
                      static_cast<std::size_t>(kinds[index])});
    }
  }
  return axes;
}

std::size_t AxisOfTrackbar(const std::vector<batch::ResponseAxis>& axes, int trackbarId) {
  const SliderSpec* row = FindSlider(trackbarId);
  if (row == nullptr) return 0;
  const auto parameters = run::ParameterTable();
  for (std::size_t a = 0; a < axes.size(); ++a) {
    const run::FedBy fedBy = parameters[axes[a].parameter].fedBy;
    const bool byTrackbar =
        fedBy.feeder == run::Feeder::kTrackbar || fedBy.feeder == run::Feeder::kTrackbarShare;
    if (byTrackbar && &kSliderTable[static_cast<std::size_t>(fedBy.index)] == row) return a;
  }
  return 0;
}

}  // namespace ui
