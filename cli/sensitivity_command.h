#pragma once

#include <ostream>
#include <string>

#include "batch/sensitivity_plan.h"
#include "batch/sensitivity_output.h"

namespace cli {

struct SensitivityRequest {
  batch::SensitivityPlan plan;
  batch::TableFormat format = batch::TableFormat::kCsv;
  unsigned jobs = 1;
  std::string outPath;        // empty for out
  std::string designOutPath;  // empty for none
};

// Sensitivity mode of corvellan-run: runs the design on the jobs, then writes
// the design table (when asked) and the results; nothing is written when a
// run fails or Ctrl-C stops it. Returns the exit status.
int RunSensitivityCommand(const SensitivityRequest& request, std::ostream& out, std::ostream& err);

}  // namespace cli
