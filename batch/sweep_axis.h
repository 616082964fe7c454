#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace batch {

// Most values one --sweep may take; keeps a mistyped step from filling memory.
inline constexpr std::size_t kMaxSweepValues = 1'000'000;

// One swept run argument and its values, in the order they are run.
struct SweepAxis {
  std::size_t argument = 0;  // index in run::ParameterTable()
  std::vector<double> values;
};

struct ParsedSweep {
  std::optional<SweepAxis> axis;
  std::string error;  // one line without the program name, when axis is empty
};

// Reads "NAME=START:STOP:STEP" or "NAME=v1,v2,...". Every value is checked the
// way the plain option --NAME checks it, and against the model's own limits for
// the arguments the model checks.
ParsedSweep ParseSweep(std::string_view text);

}  // namespace batch
