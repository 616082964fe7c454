#pragma once

#include <cstdint>
#include <optional>
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

// A trackbar's value is its position times this step (a product, not a
// division by 100: the two differ in the last bit for some positions, and the
// model sees the product).
inline constexpr double kTrackbarStep = 0.01;

// A trackbar's positions; each position p stands for p * kTrackbarStep.
struct TrackbarRange {
  std::int32_t minimum = 0;
  std::int32_t maximum = 0;
  std::int32_t start = 0;  // where it stands when the window opens
};

// How the window shows a parameter.
struct PanelView {
  std::string_view name;        // as the panel names it: "J", "R Median", "Sanctions"
  std::string_view tip = {};    // what its trackbar's tooltip says it is
  TrackbarRange trackbar = {};  // for the parameters a trackbar feeds
};

// One parameter of a run: its option name, where it is stored, its default
// (what the window passes at start-up), inclusive bounds (absent bounds are
// left to the model's own checks or are not needed), what it means, which
// control of the window feeds it and how the window shows it.
struct ParameterRow {
  std::string_view name;
  ValueType type;
  ParameterField field;
  double defaultValue;
  std::optional<double> minimum;
  std::optional<double> maximum;
  std::string_view meaning;
  FedBy fedBy;
  std::string_view unboundedRange = {};  // what is accepted when there are no bounds
  PanelView panel = {};
};

}  // namespace run
