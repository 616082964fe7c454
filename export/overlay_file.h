// The overlay export on files: draws a series into an existing bitmap, and
// creates the empty bitmap it draws into.
#pragma once

#include <functional>
#include <string>

#include "export/overlay_result.h"

namespace bitmap_export {

// Opens the existing file at `path` for reading and writing (never creating it),
// holds an exclusive lock on it, reads it whole and checks it is a 640 x 340
// 8-bit bitmap. With `series` (101 values) given, draws it in the next curve
// colour, advances the colour and puts the new bytes in place of the old ones,
// length and permissions unchanged: the file holds either the old picture or
// the new one, never a half-written one.
// kUnavailable when the file cannot be opened, is read-only or is locked by
// another holder; kRefused when it fails the check, cannot be read in full, or
// is removed or replaced meanwhile; kNoSeries when `series` is null;
// kWriteFailed when the new bytes could not be written. Only kWritten changes
// the file.
OverlayResult OverlayFirstOrderRate(const std::string& path, const float* series);

// Points where tests change the file system in the middle of an export.
struct OverlayFaultHooks {
  std::function<void()> beforeReplace;  // new bytes written aside, old file still in place
};

OverlayResult OverlayFirstOrderRate(const std::string& path, const float* series,
                                    const OverlayFaultHooks& hooks);

// Creates a new, empty overlay bitmap at `path`: white, with the overlay
// palette and the first curve colour. kRefused when `path` already exists.
OverlayResult WriteBlankOverlay(const std::string& path);

}  // namespace bitmap_export
