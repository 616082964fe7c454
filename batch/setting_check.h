#pragma once

#include <string>

#include "run_description/parameter_row.h"

namespace batch {

// Reads text as the plain option --NAME reads it, then checks the value
// against the model's own limit when the model checks that parameter, so that
// a batch refuses a bad value before any run starts. Returns the reason
// (without the option's name) or an empty string, with value set.
std::string CheckSettingText(const run::ParameterRow& entry, const std::string& text,
                             double& value);

}  // namespace batch
