#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "model/run_arguments.h"

namespace run {

// How a parameter's value is read and bounded.
enum class ValueType {
  kReal,     // a finite decimal number
  kInteger,  // a whole number that fits 32 bits
  kKind,     // 0 Constant, 1 Normal, 2 Log-Normal
  kFlag,     // 0 or 1
};

using ParameterField =
    std::variant<double model::RunArguments::*, std::int32_t model::RunArguments::*>;

// What in the main window sets a parameter.
enum class Feeder {
  kTrackbar,           // the value of the trackbar in row `index` of the slider table
  kTrackbarShare,      // that value times the agent count, truncated toward zero
  kRadioGroup,         // the kind chosen for attribute `index` (a model::Attribute)
  kSanctionsCheckBox,  // 1 while the "Sanctions" box is ticked
  kAgentCount,         // the window's agent count
  kFixed,              // always the default value
};

struct FedBy {
  Feeder feeder;
  int index = 0;
};

// One parameter of a run: its option name, where it is stored, its default
// (what the window passes at start-up), inclusive bounds (absent bounds are
// left to the model's own checks or are not needed), what it means and which
// control of the window feeds it.
struct ParameterSpec {
  std::string_view name;
  ValueType type;
  ParameterField field;
  double defaultValue;
  std::optional<double> minimum;
  std::optional<double> maximum;
  std::string_view meaning;
  FedBy fedBy;
  std::string_view unboundedRange = {};  // what is accepted when there are no bounds
};

// The 29 parameters in the order the model takes them, which is also the order
// of the options in a re-run command.
std::span<const ParameterSpec> ParameterTable();

// Index of the parameter called name in ParameterTable(), if there is one.
std::optional<std::size_t> FindParameter(std::string_view name);

model::RunArguments DefaultRunArguments();

// Reads text as the value of entry into arguments; returns an error line
// (without the program name) or an empty string.
std::string ApplyArgument(const ParameterSpec& entry, std::string_view text,
                          model::RunArguments& arguments);

// ApplyArgument without the option name in front of the reason, for callers
// that name the value their own way.
std::string ReadParameterValue(const ParameterSpec& entry, std::string_view text,
                               model::RunArguments& arguments);

// Stores value, already checked, into entry's field of arguments.
void SetParameterValue(const ParameterSpec& entry, double value, model::RunArguments& arguments);

// Value of entry's field in arguments, as a double.
double ParameterValue(const ParameterSpec& entry, const model::RunArguments& arguments);

// "default 0.5; 0 to 1" style summary for the help text.
std::string DescribeBounds(const ParameterSpec& entry);

}  // namespace run
