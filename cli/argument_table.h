#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "model/run_arguments.h"

namespace cli {

// How an option's value is read and bounded.
enum class ValueType {
  kReal,     // a finite decimal number
  kInteger,  // a whole number that fits 32 bits
  kKind,     // 0 Constant, 1 Normal, 2 Log-Normal
  kFlag,     // 0 or 1
};

using ArgumentField =
    std::variant<double model::RunArguments::*, std::int32_t model::RunArguments::*>;

// One argument of a run, as an option of the runner. Bounds are inclusive;
// absent bounds are left to the model's own checks or are not needed.
struct ArgumentSpec {
  std::string_view name;
  ValueType type;
  ArgumentField field;
  double defaultValue;
  std::optional<double> minimum;
  std::optional<double> maximum;
  std::string_view meaning;
  std::string_view unboundedRange = {};  // what is accepted when there are no bounds
};

// The 29 run arguments in the order the model takes them; defaults and bounds
// are what the window passes (trackbar position times 0.01).
std::span<const ArgumentSpec> ArgumentTable();

// Index of the argument called name in ArgumentTable(), if there is one.
std::optional<std::size_t> FindArgument(std::string_view name);

model::RunArguments DefaultRunArguments();

// Reads text as the value of entry into arguments; returns an error line
// (without the program name) or an empty string.
std::string ApplyArgument(const ArgumentSpec& entry, std::string_view text,
                          model::RunArguments& arguments);

// ApplyArgument without the option name in front of the reason, for callers
// that name the value their own way.
std::string ReadArgumentValue(const ArgumentSpec& entry, std::string_view text,
                              model::RunArguments& arguments);

// Stores value, already checked, into entry's field of arguments.
void SetArgumentValue(const ArgumentSpec& entry, double value, model::RunArguments& arguments);

// Value of entry's field in arguments, as a double.
double ArgumentValue(const ArgumentSpec& entry, const model::RunArguments& arguments);

// "default 0.5; 0 to 1" style summary for the help text.
std::string DescribeBounds(const ArgumentSpec& entry);

}  // namespace cli
