#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace ui {

// One trackbar of the main dialog: range, start position, how a position
// becomes a parameter value, and the label that shows that value.
struct SliderSpec {
  std::int32_t trackbarId;
  std::int32_t labelId;
  std::int32_t linkedSigmaId;  // Sigma trackbar that follows this one, kNoLinkedSigma for none
  std::int32_t rangeMin;
  std::int32_t rangeMax;
  std::int32_t defaultPos;
  double scale;           // value of one position step
  std::int32_t decimals;  // digits after the point in the label
};

inline constexpr std::int32_t kNoLinkedSigma = 0;
inline constexpr std::size_t kSliderCount = 20;

// Every trackbar of the main dialog, in the order all slider operations visit
// them; row i feeds the parameter run::TrackbarParameter(i) and takes its
// range, start and step from there.
extern const std::array<SliderSpec, kSliderCount> kSliderTable;

// The first row for trackbarId, or nullptr when the id is no trackbar.
const SliderSpec* FindSlider(int trackbarId);

// The index of row, one of kSliderTable's, in the table.
int SliderRow(const SliderSpec& row);

}  // namespace ui
