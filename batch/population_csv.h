#pragma once

#include <string>

#include "batch/population_record.h"

namespace batch {

// The recorded run as a table: a "# " line with the corvellan-run command that
// makes the run again, a header, then one row per step and agent (steps in
// order, agents in order within a step) with the propensities the step's
// decisions were taken on, those decisions and the agent's attributes. The
// sanction columns are there only with sanctions on. Every number reads back
// exactly.
std::string PopulationCsv(const PopulationRecord& record);

}  // namespace batch
