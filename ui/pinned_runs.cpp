#include "ui/pinned_runs.h"

#include <algorithm>

#include "batch/run_values.h"
#include "model/distribution_kind.h"
#include "run_description/parameter_table.h"
#include "ui/slider_table.h"
#include "ui/value_label_text.h"

namespace ui {
namespace {

constexpr int kCountDecimals = 0;

std::string KindText(double kind) {
  const auto index = static_cast<std::size_t>(kind);
  return index < model::kDistributionKindNames.size()
             ? std::string(model::kDistributionKindNames[index])
             : std::to_string(index);
}

struct Shown {
  std::string name;
  std::string pinned;
  std::string now;
};

// The parameter named and its two values as the window would show them.
Shown Describe(const run::ParameterSpec& parameter, double pinned, double now) {
  const std::string name(parameter.panel.name);
  switch (parameter.fedBy.feeder) {
    case run::Feeder::kTrackbar: {
      const int decimals = kSliderTable[static_cast<std::size_t>(parameter.fedBy.index)].decimals;
      return {name, ValueLabelText(pinned, decimals), ValueLabelText(now, decimals)};
    }
    case run::Feeder::kTrackbarShare:
      return {name, ValueLabelText(pinned, kCountDecimals), ValueLabelText(now, kCountDecimals)};
    case run::Feeder::kRadioGroup:
      return {name, KindText(pinned), KindText(now)};
    case run::Feeder::kSanctionsCheckBox:
      return {name, pinned != 0.0 ? "on" : "off", now != 0.0 ? "on" : "off"};
    case run::Feeder::kAgentCount:
    case run::Feeder::kFixed:
      break;
  }
  return {std::string(parameter.name), ValueLabelText(pinned, kCountDecimals),
          ValueLabelText(now, kCountDecimals)};
}

}  // namespace

std::optional<int> PinnedRuns::Add(const RunOnScreen& run, const model::SeriesPointers& series) {
  if (Full()) return std::nullopt;
  int number = 1;
  while (std::ranges::any_of(pins_, [number](const PinnedRun& p) { return p.number == number; })) {
    ++number;
  }
  PinnedRun pin{number, run, std::vector<float>(batch::kValuesPerRun)};
  for (int s = 0; s < model::kSeriesCount; ++s) {
    if (series[s] == nullptr) continue;
    std::copy_n(series[s], model::kStepCount, pin.values.begin() + batch::ValueIndex(s, 0));
  }
  pins_.push_back(std::move(pin));
  return number;
}

void PinnedRuns::Remove(int number) {
  std::erase_if(pins_, [number](const PinnedRun& p) { return p.number == number; });
}

std::vector<PinnedCurves> PinnedRuns::Curves() const {
  std::vector<PinnedCurves> curves;
  for (const PinnedRun& pin : pins_) {
    PinnedCurves curve{pin.number, {}};
    for (int s = 0; s < model::kSeriesCount; ++s) {
      curve.series[s] = pin.values.data() + batch::ValueIndex(s, 0);
    }
    curves.push_back(curve);
  }
  return curves;
}

std::string PinDifference(const PinnedRun& pin, const RunOnScreen& now) {
  std::string text = "Pin " + std::to_string(pin.number) + ":";
  bool any = false;
  for (const run::ParameterSpec& parameter : run::ParameterTable()) {
    const double pinned = run::ParameterValue(parameter, pin.run.arguments);
    const double current = run::ParameterValue(parameter, now.arguments);
    if (pinned == current) continue;
    const Shown shown = Describe(parameter, pinned, current);
    text += (any ? ", " : " ") + shown.name + ' ' + shown.pinned + " (now " + shown.now + ')';
    any = true;
  }
  if (!any) text += " the same parameters as now";
  if (pin.run.seed != now.seed) {
    text += "; seed " + std::to_string(pin.run.seed) + " (now " + std::to_string(now.seed) + ')';
  }
  return text;
}

}  // namespace ui
