#pragma once

#include <string>
#include <string_view>

namespace platform {

// The outcome of writing a file; reason says why it failed, in words for the user.
struct FileWriteResult {
  bool written;
  std::string reason;
};

// Writes bytes to path whole or not at all: they go to a temporary file in the
// same folder, which then replaces path. On failure path is left as it was.
FileWriteResult WriteWholeFile(std::string_view path, std::string_view bytes);

}  // namespace platform
