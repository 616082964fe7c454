// The overlay export on files: draws a series into an existing bitmap, and
// creates the empty bitmap it draws into.
#pragma once

#include <functional>
#include <span>
#include <string>

#include "export/overlay_result.h"
#include "export/posix_file.h"

namespace bitmap_export {

// Opens the existing file at `path` for reading and writing (never creating it,
// following symbolic links, never waiting for a FIFO), holds an exclusive lock on it, reads it
// whole and checks it is a 640 x 340 8-bit bitmap. With `series` (101 values) given, draws it in
// the next curve colour, advances the colour and writes the changed bytes back into the same open
// file: its name, links, owner, group, mode and length stay, and bytes another program appends
// meanwhile survive. A write that fails puts the old bytes back. When the system clears the file's
// setuid or setgid bits on writing and only its owner could set them again, the result's notice
// says so. kUnavailable when the file cannot be opened, is read-only or is locked by another
// holder; kRefused when it is not a regular file, fails the check or cannot be read in full, or
// when it or a link on the way belongs to another user in a shared sticky folder (see
// output::SharedFolderRefusal); kNoSeries when `series` is null; kWriteFailed when the new bytes
// could not be written. Only kWritten changes the picture.
OverlayResult OverlayFirstOrderRate(const std::string& path, const float* series);

// Writes bytes at offset of the open file fd, as WriteFullyAt does.
using OverlayWrite =
    std::function<TransferOutcome(int fd, std::span<const std::uint8_t> bytes, off_t offset)>;

// Points where tests change the file system or fail a write in the middle of
// an export.
struct OverlayFaultHooks {
  std::function<void()> beforeWrite;  // the new picture drawn, nothing written yet
  OverlayWrite writeAt;               // instead of WriteFullyAt for the new bytes
};

OverlayResult OverlayFirstOrderRate(const std::string& path, const float* series,
                                    const OverlayFaultHooks& hooks);

// Creates a new, empty overlay bitmap at `path`: white, with the overlay
// palette and the first curve colour. kRefused when `path` already exists.
OverlayResult WriteBlankOverlay(const std::string& path);

}  // namespace bitmap_export
