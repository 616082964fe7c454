#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/runner.h"
#include "tests/support/text_lines.h"

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

using test_support::Lines;
using test_support::Split;

}  // namespace cli::testing
