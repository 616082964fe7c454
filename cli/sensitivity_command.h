#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "batch/sensitivity_output.h"
#include "batch/sensitivity_plan.h"

namespace cli {

struct SensitivityRequest {
  batch::SensitivityPlan plan;
  batch::TableFormat format = batch::TableFormat::kCsv;
  unsigned jobs = 1;
  std::string outPath;                 // empty for out
  std::string designOutPath;           // empty for none
  std::optional<batch::Shard> shard;   // when given, write this shard's runs as a part
  std::vector<std::string> joinParts;  // when given, read the runs from these parts
};

// Sensitivity mode of corvellan-run: runs the design on the jobs (or reads
// its runs from the parts of a join), then writes the design table (when
// asked) and the results; a shard writes its part of the design table
// instead. Nothing is written when a run fails, a part is at fault or Ctrl-C
// stops it. Returns the exit status.
int RunSensitivityCommand(const SensitivityRequest& request, std::ostream& out, std::ostream& err);

}  // namespace cli
