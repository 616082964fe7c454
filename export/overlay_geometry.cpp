#include "export/overlay_geometry.h"

#include <cmath>
#include <limits>

namespace bitmap_export {
namespace {

inline constexpr double kNegatedScaleY = -static_cast<double>(kOverlayScaleY);
inline constexpr double kLowestInt = std::numeric_limits<int>::min();
inline constexpr double kHighestInt = std::numeric_limits<int>::max();

bool FitsInt(long long value) {
  return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}

}  // namespace

int OverlayColumn(int index) {
  return kOverlayMarginX + kOverlayStepX * index;
}

std::optional<int> OverlayRow(float value) {
  const double offset = std::trunc(static_cast<double>(value) * kNegatedScaleY);
  // Converting a double outside int range to int is undefined; NaN fails both tests.
  if (!(offset >= kLowestInt && offset <= kHighestInt)) {
    return std::nullopt;
  }
  const long long row = kOverlayBaseRow - static_cast<long long>(offset);
  if (!FitsInt(row)) {
    return std::nullopt;
  }
  return static_cast<int>(row);
}

}  // namespace bitmap_export
