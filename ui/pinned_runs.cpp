#include "ui/pinned_runs.h"

#include <algorithm>

#include "batch/run_values.h"
#include "model/distribution_kind.h"
#include "platform/mnemonic_text.h"
#include "run_description/parameter_relevance.h"
#include "run_description/parameter_table.h"
#include "ui/slider_table.h"
#include "ui/value_label_text.h"

namespace ui {
namespace {

constexpr int kCountDecimals = 0;
// A tooltip line holds about this many characters, as the graph's own tooltip.
constexpr std::size_t kTipColumns = 60;
// A menu item names a pin by its first few differences only.
constexpr std::size_t kMenuDifferences = 2;

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
Shown Describe(const run::ParameterRow& parameter, double pinned, double now) {
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

std::string SavedMark(const PinnedRun& pin) {
  return pin.source == PinSource::kFile ? " (saved in the file)" : "";
}

}  // namespace

std::optional<int> PinnedRuns::Add(const RunOnScreen& run, const model::SeriesPointers& series,
                                   PinSource source) {
  if (Full()) return std::nullopt;
  int number = 1;
  while (std::ranges::any_of(pins_, [number](const PinnedRun& p) { return p.number == number; })) {
    ++number;
  }
  PinnedRun pin{number, run, std::vector<float>(batch::kValuesPerRun), source};
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

std::vector<std::string> PinDifferences(const PinnedRun& pin, const RunOnScreen& now) {
  std::vector<std::string> differences;
  for (const run::ParameterRow& parameter : run::ParameterTable()) {
    const double pinned = run::ParameterValue(parameter, pin.run.arguments);
    const double current = run::ParameterValue(parameter, now.arguments);
    if (pinned == current || !run::MattersInSetting(parameter, pin.run.arguments)) continue;
    const Shown shown = Describe(parameter, pinned, current);
    differences.push_back(shown.name + ' ' + shown.pinned + " (now " + shown.now + ')');
  }
  return differences;
}

std::string PinDifference(const PinnedRun& pin, const RunOnScreen& now) {
  const std::vector<std::string> differences = PinDifferences(pin, now);
  std::string text = "Pin " + std::to_string(pin.number) + SavedMark(pin) + ":";
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i < differences.size(); ++i) {
    const bool wraps = i > 0 && text.size() - lineStart + 1 + differences[i].size() > kTipColumns;
    if (wraps) {
      text += '\n';
      lineStart = text.size();
    } else {
      text += ' ';
    }
    text += differences[i];
    if (i + 1 < differences.size()) text += ',';
  }
  if (differences.empty()) text += " the same parameters as now";
  if (pin.run.seed != now.seed) {
    text += "; seed " + std::to_string(pin.run.seed) + " (now " + std::to_string(now.seed) + ')';
  }
  return text;
}

std::string RemovePinMenuText(const PinnedRun& pin, const RunOnScreen& now) {
  const std::vector<std::string> differences = PinDifferences(pin, now);
  std::string text = "Remove Pin &" + std::to_string(pin.number) + SavedMark(pin) + ":";
  const std::size_t shown = std::min(differences.size(), kMenuDifferences);
  for (std::size_t i = 0; i < shown; ++i) {
    text += (i == 0 ? " " : ", ") + platform::EscapeAmpersands(differences[i]);
  }
  if (differences.size() > shown) text += ", \u2026";
  if (differences.empty()) {
    text += pin.run.seed != now.seed ? " seed " + std::to_string(pin.run.seed) : " as now";
  }
  return text;
}

}  // namespace ui
