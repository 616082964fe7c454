#pragma once

#include <string>
#include <vector>

#include "batch/sensitivity_analysis.h"
#include "batch/sensitivity_designs.h"
#include "batch/sensitivity_plan.h"

namespace cli {

// Reads the parts that --shard 1/N to N/N of this same analysis wrote (given
// in shard order) into measured, for the whole design. Every line is checked
// against what this command writes at its place (the command, the header,
// each run's place, factors and seed, a measure in its shortest exact text),
// and a part may hold nothing more. Returns the first fault as one line
// naming the part, or an empty string.
std::string ReadSensitivityParts(const std::vector<std::string>& parts,
                                 const batch::SensitivityPlan& plan,
                                 const batch::SensitivityDesign& design,
                                 batch::MeasuredDesign& measured);

}  // namespace cli
