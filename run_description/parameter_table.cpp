#include "run_description/parameter_table.h"

#include <array>
#include <cstdio>
#include <type_traits>

#include "model/attribute.h"
#include "run_description/number_text.h"

namespace run {
namespace {

using model::RunArguments;

// Trackbar positions turn into values the way the window turns them.
constexpr double kPositionScale = 0.01;
constexpr double Position(int p) {
  return p * kPositionScale;
}

constexpr double kKindMinimum = 0;
constexpr double kKindMaximum = 2;

using Bound = std::optional<double>;
constexpr Bound kNone = std::nullopt;

// Rows of the main window's slider table.
constexpr FedBy Trackbar(int row) {
  return {Feeder::kTrackbar, row};
}
constexpr FedBy TrackbarShare(int row) {
  return {Feeder::kTrackbarShare, row};
}
constexpr FedBy RadioGroup(model::Attribute attribute) {
  return {Feeder::kRadioGroup, static_cast<int>(attribute)};
}
constexpr FedBy kSanctionsBox = {Feeder::kSanctionsCheckBox};
constexpr FedBy kAgentCount = {Feeder::kAgentCount};
constexpr FedBy kFixed = {Feeder::kFixed};

using model::Attribute;

const std::array<ParameterSpec, 29> kParameters = {{
    {"paramJ", ValueType::kReal, &RunArguments::paramJ, Position(50), kNone, kNone,
     "J, scale exponent of the first-order cost", Trackbar(0), "0 to 1, checked by the model"},
    {"paramX", ValueType::kReal, &RunArguments::paramX, Position(0), kNone, kNone,
     "X, lowers the logistic response by (1 - X) / 2", Trackbar(1),
     "-1 to 1, checked by the model"},
    {"distR", ValueType::kKind, &RunArguments::distR, 0, kKindMinimum, kKindMaximum,
     "distribution of R: 0 Constant, 1 Normal, 2 Log-Normal", RadioGroup(Attribute::R)},
    {"medianR", ValueType::kReal, &RunArguments::medianR, Position(50), Position(0), Position(100),
     "median of R", Trackbar(3)},
    {"sigmaR", ValueType::kReal, &RunArguments::sigmaR, Position(15), Position(0), Position(35),
     "spread of R", Trackbar(2)},
    {"distI", ValueType::kKind, &RunArguments::distI, 0, kKindMinimum, kKindMaximum,
     "distribution of I: 0 Constant, 1 Normal, 2 Log-Normal", RadioGroup(Attribute::I)},
    {"valueI", ValueType::kReal, &RunArguments::valueI, Position(100), Position(0), Position(100),
     "value (median) of I", Trackbar(5)},
    {"sigmaI", ValueType::kReal, &RunArguments::sigmaI, Position(20), Position(0), Position(20),
     "spread of I", Trackbar(4)},
    {"distT", ValueType::kKind, &RunArguments::distT, 0, kKindMinimum, kKindMaximum,
     "distribution of T: 0 Constant, 1 Normal, 2 Log-Normal", RadioGroup(Attribute::T)},
    {"valueT", ValueType::kReal, &RunArguments::valueT, Position(50), Position(0), Position(100),
     "value (median) of T, the threshold", Trackbar(7)},
    {"sigmaT", ValueType::kReal, &RunArguments::sigmaT, Position(20), Position(0), Position(20),
     "spread of T", Trackbar(6)},
    {"distE", ValueType::kKind, &RunArguments::distE, 0, kKindMinimum, kKindMaximum,
     "distribution of E: 0 Constant, 1 Normal, 2 Log-Normal", RadioGroup(Attribute::E)},
    {"valueE", ValueType::kReal, &RunArguments::valueE, Position(50), Position(0), Position(100),
     "value (median) of E", Trackbar(9)},
    {"sigmaE", ValueType::kReal, &RunArguments::sigmaE, Position(20), Position(0), Position(20),
     "spread of E", Trackbar(8)},
    {"sanctionsOn", ValueType::kFlag, &RunArguments::sanctionsOn, 0, 0, 1,
     "1 switches sanctions (second-order contributions) on", kSanctionsBox},
    {"distRPrime", ValueType::kKind, &RunArguments::distRPrime, 0, kKindMinimum, kKindMaximum,
     "distribution of R': 0 Constant, 1 Normal, 2 Log-Normal", RadioGroup(Attribute::RPrime)},
    {"medianRPrime", ValueType::kReal, &RunArguments::medianRPrime, Position(50), Position(0),
     Position(100), "median of R'", Trackbar(13)},
    {"sigmaRPrime", ValueType::kReal, &RunArguments::sigmaRPrime, Position(15), Position(0),
     Position(35), "spread of R'", Trackbar(12)},
    {"paramJPrime", ValueType::kReal, &RunArguments::paramJPrime, Position(50), Position(0),
     Position(100), "J', scale exponent of the sanction cost", Trackbar(10)},
    {"paramM", ValueType::kReal, &RunArguments::paramM, Position(100), Position(100), Position(200),
     "m, exponent of the sanction term", Trackbar(11)},
    {"corrRRPrime", ValueType::kReal, &RunArguments::corrRRPrime, Position(0), Position(-100),
     Position(100), "correlation of R and R'", Trackbar(16)},
    {"corrRI", ValueType::kReal, &RunArguments::corrRI, Position(0), Position(-100), Position(100),
     "correlation of R and I", Trackbar(17)},
    {"corrRPrimeI", ValueType::kReal, &RunArguments::corrRPrimeI, Position(0), Position(-100),
     Position(100), "correlation of R' and I", Trackbar(18)},
    {"corrET", ValueType::kReal, &RunArguments::corrET, Position(0), Position(-100), Position(100),
     "correlation of E and T", Trackbar(19)},
    {"agentCount", ValueType::kInteger, &RunArguments::agentCount, 100, kNone, kNone,
     "N, the number of agents", kAgentCount, "1 or more, checked by the model"},
    {"requestedCountR", ValueType::kInteger, &RunArguments::requestedCountR, 100, 0, kNone,
     "number of agents carrying R (at most N take it)", TrackbarShare(14)},
    {"requestedCountRPrime", ValueType::kInteger, &RunArguments::requestedCountRPrime, 100, 0,
     kNone, "number of agents carrying R' (at most N take it)", TrackbarShare(15)},
    {"reservedArg", ValueType::kInteger, &RunArguments::reservedArg, 0, kNone, kNone,
     "reserved, ignored by the model", kFixed, "any whole number"},
    {"slopeM", ValueType::kInteger, &RunArguments::slopeM, 10, kNone, kNone,
     "M, slope of the logistic response", kFixed, "any whole number"},
}};

std::string FormatBound(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", v);
  return text;
}

std::string RangeText(const ParameterSpec& entry) {
  if (entry.minimum && entry.maximum) {
    return FormatBound(*entry.minimum) + " to " + FormatBound(*entry.maximum);
  }
  if (entry.minimum) return FormatBound(*entry.minimum) + " or more";
  if (entry.maximum) return FormatBound(*entry.maximum) + " or less";
  return std::string(entry.unboundedRange);
}

std::string OutsideBounds(const ParameterSpec& entry, std::string_view text) {
  return std::string(text) + " is outside " + RangeText(entry);
}

bool WithinBounds(const ParameterSpec& entry, double v) {
  return (!entry.minimum || v >= *entry.minimum) && (!entry.maximum || v <= *entry.maximum);
}

}  // namespace

std::span<const ParameterSpec> ParameterTable() {
  return kParameters;
}

std::optional<std::size_t> FindParameter(std::string_view name) {
  for (std::size_t i = 0; i < kParameters.size(); ++i) {
    if (kParameters[i].name == name) return i;
  }
  return std::nullopt;
}

model::RunArguments DefaultRunArguments() {
  model::RunArguments arguments{};
  for (const ParameterSpec& entry : kParameters)
    SetParameterValue(entry, entry.defaultValue, arguments);
  return arguments;
}

std::string ApplyArgument(const ParameterSpec& entry, std::string_view text,
                          model::RunArguments& arguments) {
  std::string reason = ReadParameterValue(entry, text, arguments);
  if (reason.empty()) return reason;
  return "--" + std::string(entry.name) + ": " + reason;
}

std::string ReadParameterValue(const ParameterSpec& entry, std::string_view text,
                               model::RunArguments& arguments) {
  if (entry.type == ValueType::kReal) {
    const ParsedReal parsed = ParseReal(text);
    if (!parsed.value) return parsed.error;
    if (!WithinBounds(entry, *parsed.value)) return OutsideBounds(entry, text);
    arguments.*std::get<double model::RunArguments::*>(entry.field) = *parsed.value;
    return {};
  }
  const ParsedInteger parsed = ParseInteger(text);
  if (!parsed.value) return parsed.error;
  if (!WithinBounds(entry, *parsed.value)) return OutsideBounds(entry, text);
  arguments.*std::get<std::int32_t model::RunArguments::*>(entry.field) = *parsed.value;
  return {};
}

void SetParameterValue(const ParameterSpec& entry, double value, model::RunArguments& arguments) {
  std::visit(
      [&](auto field) {
        using Value = std::remove_reference_t<decltype(arguments.*field)>;
        arguments.*field = static_cast<Value>(value);
      },
      entry.field);
}

double ParameterValue(const ParameterSpec& entry, const model::RunArguments& arguments) {
  return std::visit([&](auto field) { return static_cast<double>(arguments.*field); }, entry.field);
}

std::string DescribeBounds(const ParameterSpec& entry) {
  return "default " + FormatRoundTrip(entry.defaultValue) + "; " + RangeText(entry);
}

}  // namespace run
