#include "ui/slider_table.h"

#include <algorithm>

#include "res/control_ids.h"
#include "run_description/parameter_rows.h"

namespace ui {
namespace {

constexpr std::int32_t kDecimals = 2;
constexpr std::int32_t kNone = kNoLinkedSigma;

// The window's own part of a row: its controls. Ranges, start positions and
// the step come from the parameter each trackbar feeds.
struct SliderControls {
  std::int32_t trackbarId;
  std::int32_t labelId;
  std::int32_t linkedSigmaId;
};

constexpr std::array<SliderControls, kSliderCount> kControls = {{
    {res::kIdSliderJ, res::kIdReadoutJ, kNone},
    {res::kIdSliderX, res::kIdReadoutX, kNone},
    {res::kIdSliderSigmaR, res::kIdReadoutSigmaR, kNone},
    {res::kIdSliderMedianR, res::kIdReadoutMedianR, res::kIdSliderSigmaR},
    {res::kIdSliderSigmaI, res::kIdReadoutSigmaI, kNone},
    {res::kIdSliderValueI, res::kIdReadoutValueI, res::kIdSliderSigmaI},
    {res::kIdSliderSigmaT, res::kIdReadoutSigmaT, kNone},
    {res::kIdSliderValueT, res::kIdReadoutValueT, res::kIdSliderSigmaT},
    {res::kIdSliderSigmaE, res::kIdReadoutSigmaE, kNone},
    {res::kIdSliderValueE, res::kIdReadoutValueE, res::kIdSliderSigmaE},
    {res::kIdSliderJPrime, res::kIdReadoutJPrime, kNone},
    {res::kIdSliderM, res::kIdReadoutM, kNone},
    {res::kIdSliderSigmaRPrime, res::kIdReadoutSigmaRPrime, kNone},
    {res::kIdSliderMedianRPrime, res::kIdReadoutMedianRPrime, res::kIdSliderSigmaRPrime},
    {res::kIdSliderCountR, res::kIdReadoutCountR, kNone},
    {res::kIdSliderCountRPrime, res::kIdReadoutCountRPrime, kNone},
    {res::kIdSliderCorrRRPrime, res::kIdReadoutCorrRRPrime, kNone},
    {res::kIdSliderCorrRI, res::kIdReadoutCorrRI, kNone},
    {res::kIdSliderCorrRPrimeI, res::kIdReadoutCorrRPrimeI, kNone},
    {res::kIdSliderCorrET, res::kIdReadoutCorrET, kNone},
}};

// Fails to compile when a row feeds no parameter (run::TrackbarParameter).
constexpr std::array<SliderSpec, kSliderCount> BuildSliderTable() {
  std::array<SliderSpec, kSliderCount> table{};
  for (std::size_t row = 0; row < kSliderCount; ++row) {
    const SliderControls& controls = kControls[row];
    const run::TrackbarRange range = run::TrackbarParameter(static_cast<int>(row)).panel.trackbar;
    table[row] = {controls.trackbarId, controls.labelId, controls.linkedSigmaId, range.minimum,
                  range.maximum,       range.start,      run::kTrackbarStep,     kDecimals};
  }
  return table;
}

constexpr bool EveryRangeHoldsItsStart(const std::array<SliderSpec, kSliderCount>& table) {
  return std::ranges::all_of(table, [](const SliderSpec& row) {
    return row.rangeMin < row.rangeMax && row.rangeMin <= row.defaultPos &&
           row.defaultPos <= row.rangeMax;
  });
}

static_assert(EveryRangeHoldsItsStart(BuildSliderTable()));

}  // namespace

constinit const std::array<SliderSpec, kSliderCount> kSliderTable = BuildSliderTable();

const SliderSpec* FindSlider(int trackbarId) {
  const auto found = std::ranges::find(kSliderTable, trackbarId, &SliderSpec::trackbarId);
  return found == kSliderTable.end() ? nullptr : &*found;
}

int SliderRow(const SliderSpec& row) {
  return static_cast<int>(&row - kSliderTable.data());
}

}  // namespace ui
