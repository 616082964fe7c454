#pragma once

#include <cstddef>
#include <string>

namespace ui {

// The text of a file the window opens, or why there is none.
struct FileText {
  std::string text;
  std::string error;  // empty when the text was read
};

// Reads at most maxBytes of the regular file at path. The window must never
// wait on a file: the file is opened without waiting (a FIFO would otherwise
// hold the window until some other program opened it for writing), and
// anything but a regular file (a FIFO, a device, a folder) is refused.
FileText ReadRegularFile(const std::string& path, std::size_t maxBytes);

}  // namespace ui
