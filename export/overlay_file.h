// The overlay export on files: draws a series into an existing bitmap in place,
// and creates the empty bitmap it draws into.
#pragma once

#include <string>

#include "export/overlay_result.h"

namespace bitmap_export {

// Opens the existing file at `path` for reading and writing (never creating it),
// holds an exclusive lock on it, reads it whole and checks it is a 640 x 340
// 8-bit bitmap. With `series` (101 values) given, draws it in the next curve
// colour, advances the colour and writes every byte back, length unchanged.
// kUnavailable when the file cannot be opened or is locked by another holder;
// kRefused when it fails the check or cannot be read in full; kNoSeries when
// `series` is null. In those cases the file is not written.
OverlayResult OverlayFirstOrderRate(const std::string& path, const float* series);

// Creates a new, empty overlay bitmap at `path`: white, with the overlay
// palette and the first curve colour. kRefused when `path` already exists.
OverlayResult WriteBlankOverlay(const std::string& path);

}  // namespace bitmap_export
