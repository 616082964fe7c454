#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/run_arguments.h"
#include "run_description/parameter_row.h"
#include "run_description/parameter_rows.h"

namespace run {

// The 29 parameters in the order the model takes them, which is also the order
// of the options in a re-run command.
std::span<const ParameterRow> ParameterTable();

// Index of the parameter called name in ParameterTable(), if there is one.
std::optional<std::size_t> FindParameter(std::string_view name);

model::RunArguments DefaultRunArguments();

// Reads text as the value of entry into arguments; returns an error line
// (without the program name) or an empty string.
std::string ApplyArgument(const ParameterRow& entry, std::string_view text,
                          model::RunArguments& arguments);

// ApplyArgument without the option name in front of the reason, for callers
// that name the value their own way.
std::string ReadParameterValue(const ParameterRow& entry, std::string_view text,
                               model::RunArguments& arguments);

// Stores value, already checked, into entry's field of arguments.
void SetParameterValue(const ParameterRow& entry, double value, model::RunArguments& arguments);

// Value of entry's field in arguments, as a double.
double ParameterValue(const ParameterRow& entry, const model::RunArguments& arguments);

// "default 0.5; 0 to 1" style summary for the help text.
std::string DescribeBounds(const ParameterRow& entry);

}  // namespace run
