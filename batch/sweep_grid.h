#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "batch/sweep_axis.h"
#include "model/run_arguments.h"

namespace batch {

// Every combination of the swept values over fixed base arguments. Points are
// numbered from 0 with the last axis varying fastest; no axes make one point.
class SweepGrid {
 public:
  SweepGrid(const model::RunArguments& base, std::vector<SweepAxis> axes);

  std::uint64_t PointCount() const { return pointCount_; }
  model::RunArguments PointArguments(std::uint64_t point) const;

 private:
  model::RunArguments base_;
  std::vector<SweepAxis> axes_;
  std::uint64_t pointCount_ = 1;
};

struct BuiltGrid {
  std::optional<SweepGrid> grid;
  std::string error;  // the first refusal, one line without the program name
};

// Reads the --sweep texts in the order given. Refuses a malformed sweep, one
// that repeats a name or sweeps an argument also given as a plain option
// (givenAsOption is indexed like run::ParameterTable()), more points than 64 bits
// count, and fixed base values the model would reject.
BuiltGrid BuildSweepGrid(std::span<const std::string> sweepTexts, const model::RunArguments& base,
                         const std::vector<bool>& givenAsOption);

}  // namespace batch
