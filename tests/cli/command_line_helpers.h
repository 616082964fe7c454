#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/runner.h"

namespace cli::testing {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

inline Outcome Invoke(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunCommandLine(args, out, err);
  return {status, out.str(), err.str()};
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

inline std::vector<std::string> Split(const std::string& line, char separator = ',') {
  std::vector<std::string> cells;
  std::istringstream stream(line);
  for (std::string cell; std::getline(stream, cell, separator);) cells.push_back(cell);
  return cells;
}

}  // namespace cli::testing
