#pragma once

#include "model/run_arguments.h"
#include "run_description/parameter_table.h"

namespace run {

// Whether the parameter can change a run made with arguments: the panel greys
// out exactly the controls that cannot (a Sigma while its attribute is
// Constant, R' and its rows, J' and m while sanctions are off, a correlation
// unless both of its attributes are Normal).
bool MattersInSetting(const ParameterRow& parameter, const model::RunArguments& arguments);

}  // namespace run
