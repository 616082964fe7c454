// Where the overlay puts each point of a series in the pixel array (row 0 is
// the bottom row, so larger values appear higher).
#pragma once

#include <optional>

namespace bitmap_export {

inline constexpr int kOverlayPointCount = 101;  // time points 0 to 100
inline constexpr int kOverlayMarginX = 20;      // x of point 0
inline constexpr int kOverlayStepX = 6;         // point 100 lies at x = 620
inline constexpr int kOverlayBaseRow = 20;      // row of the value 0
inline constexpr int kOverlayScaleY = 300;      // rows per unit; the value 1 lies at row 320

// x of point `index`.
int OverlayColumn(int index);

// Row of `value`: 20 - trunc(value * -300.0), the product in double precision.
// A value whose row is not a finite int (NaN, infinite or beyond int range) has
// no row, and the segments on either side of it are not drawn.
std::optional<int> OverlayRow(float value);

}  // namespace bitmap_export
