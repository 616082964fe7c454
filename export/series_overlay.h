// Draws a series as a polyline into a bitmap held in memory.
#pragma once

#include <cstdint>
#include <span>

#include "export/bitmap_check.h"

namespace bitmap_export {

// Checks `file` (the whole bitmap file) and, when it passes and `series` (101
// values) is given, draws the series in the palette index held at byte 1079 and
// advances that byte by one, modulo 256. Nothing is touched unless the check
// passes; only pixel-array bytes change. Returns the check.
BitmapCheck OverlaySeries(std::span<std::uint8_t> file, const float* series);

}  // namespace bitmap_export
