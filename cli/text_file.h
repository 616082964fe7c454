#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace cli {

struct TextFileReading {
  std::optional<std::string> text;
  std::string error;  // why it could not be read, in words, when text is empty
};

// The bytes of the file at path, read whole; a file longer than maxBytes is
// refused before it is read, and so is a folder.
TextFileReading ReadTextFile(const std::string& path, std::size_t maxBytes);

}  // namespace cli
