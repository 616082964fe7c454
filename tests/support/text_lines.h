#pragma once

#include <sstream>
#include <string>
#include <vector>

namespace test_support {

// text split at its line ends, without them.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

// line split at every separator.
inline std::vector<std::string> Split(const std::string& line, char separator = ',') {
  std::vector<std::string> cells;
  std::istringstream stream(line);
  for (std::string cell; std::getline(stream, cell, separator);) cells.push_back(cell);
  return cells;
}

}  // namespace test_support
