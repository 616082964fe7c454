#include "ui/saved_run_controls.h"

#include <cmath>

#include "run_description/number_text.h"
#include "run_description/parameter_table.h"

namespace ui {
namespace {

// Whole matches only count on a position's own value, as the window makes it.
double PositionValue(const SliderSpec& row, int position) {
  return position * row.scale;
}

struct Position {
  int position;
  bool exact;
};

std::optional<Position> PositionOfValue(const SliderSpec& row, double value) {
  for (int p = row.rangeMin; p <= row.rangeMax; ++p) {
    if (PositionValue(row, p) == value) return Position{p, true};
  }
  for (int p = row.rangeMin; p <= row.rangeMax; ++p) {
    if (std::abs(PositionValue(row, p) - value) <= kPositionTolerance) return Position{p, false};
  }
  return std::nullopt;
}

// Several positions can give one count (trunc(p * 0.01 * 100) skips and
// repeats where the products fall just below a whole number): the first is
// the one a user moving up from the left end reaches first.
std::optional<int> PositionOfCount(const SliderSpec& row, int count, int agentCount) {
  for (int p = row.rangeMin; p <= row.rangeMax; ++p) {
    if (static_cast<int>(PositionValue(row, p) * agentCount) == count) return p;
  }
  return std::nullopt;
}

std::string Named(const run::ParameterRow& parameter, double value) {
  return "--" + std::string(parameter.name) + ' ' + run::FormatRoundTrip(value);
}

}  // namespace

ControlMapping MapToControls(const model::RunArguments& arguments, int agentCount) {
  ControlMapping mapping;
  ControlSettings settings;
  for (const run::ParameterRow& parameter : run::ParameterTable()) {
    const double value = run::ParameterValue(parameter, arguments);
    const auto index = static_cast<std::size_t>(parameter.fedBy.index);
    switch (parameter.fedBy.feeder) {
      case run::Feeder::kTrackbar: {
        const SliderSpec& row = kSliderTable[index];
        const std::optional<Position> found = PositionOfValue(row, value);
        if (!found) {
          mapping.error = Named(parameter, value) + " is no position of its trackbar";
          return mapping;
        }
        settings.positions[index] = found->position;
        if (!found->exact) mapping.approximated.push_back(Named(parameter, value));
        break;
      }
      case run::Feeder::kTrackbarShare: {
        const std::optional<int> found =
            PositionOfCount(kSliderTable[index], static_cast<int>(value), agentCount);
        if (!found) {
          mapping.error = Named(parameter, value) + " is no position of its trackbar";
          return mapping;
        }
        settings.positions[index] = *found;
        break;
      }
      case run::Feeder::kRadioGroup:
        settings.kinds[index] = static_cast<int>(value);
        break;
      case run::Feeder::kSanctionsCheckBox:
        settings.sanctions = value != 0.0;
        break;
      case run::Feeder::kAgentCount:
        if (value != agentCount) {
          mapping.error = Named(parameter, value) + ": the window runs " +
                          std::to_string(agentCount) + " agents";
          return mapping;
        }
        break;
      case run::Feeder::kFixed:
        if (value != parameter.defaultValue) {
          mapping.error = Named(parameter, value) + ": the window always runs with " +
                          run::FormatRoundTrip(parameter.defaultValue);
          return mapping;
        }
        break;
    }
  }
  mapping.settings = settings;
  return mapping;
}

}  // namespace ui
