#pragma once

#include <ostream>

#include "cli/batch_command.h"
#include "cli/calibrate_options.h"

namespace cli {

// A fit of corvellan-run to observed data: checks everything before running,
// runs the fit on jobs threads and writes its particles to out or the --out
// file; returns the exit status.
int RunCalibrateCommand(const CalibrateOptions& options, const RunRequest& request, unsigned jobs,
                        std::ostream& out, std::ostream& err);

}  // namespace cli
