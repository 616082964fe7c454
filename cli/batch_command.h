#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "cli/batch_options.h"
#include "model/run_arguments.h"
#include "run_description/series_writers.h"

namespace cli {

// What the plain options of the command line asked for.
struct RunRequest {
  model::RunArguments arguments;    // defaults with the plain options applied
  std::vector<bool> givenAsOption;  // indexed like run::ParameterTable()
  std::int32_t seed = 0;            // the batch's base seed
  bool seedGiven = false;           // false: seed is the clock's
  run::OutputFormat format = run::OutputFormat::kCsv;
  std::string outPath;  // empty for out
};

// Batch mode of corvellan-run: checks everything before writing anything,
// then streams the batch to out or the --out file; returns the exit status.
int RunBatchCommand(const BatchOptions& options, const RunRequest& request, std::ostream& out,
                    std::ostream& err);

}  // namespace cli
