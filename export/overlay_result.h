// What became of an overlay file operation, for the window and the command line
// to turn into their own messages.
#pragma once

#include <string>

namespace bitmap_export {

enum class OverlayStatus {
  kWritten,      // drawn (or created) and written in full
  kNoSeries,     // nothing to draw: the file was read and left unchanged
  kUnavailable,  // missing, read-only or held by another process: nothing changed
  kRefused,      // not an overlay bitmap, not a regular file, unreadable, another user's in a
                 // shared sticky folder, or (when creating) already there: unchanged
  kWriteFailed,  // the new bytes could not be written: an existing file keeps its old bytes
};

struct OverlayResult {
  OverlayStatus status;
  std::string message;  // "<path>: <what happened>", with the system's reason on failures
  // Something the user should hear of even though the picture was drawn
  // ("<path>: ..."); empty when there is nothing to add.
  std::string notice = {};
};

}  // namespace bitmap_export
