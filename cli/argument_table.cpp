#include "cli/argument_table.h"

#include <array>
#include <cstdio>
#include <type_traits>

#include "cli/number_parsing.h"

namespace cli {
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

const std::array<ArgumentSpec, 29> kArguments = {{
    {"paramJ", ValueType::kReal, &RunArguments::paramJ, Position(50), kNone, kNone,
     "J, scale exponent of the first-order cost", "0 to 1, checked by the model"},
    {"paramX", ValueType::kReal, &RunArguments::paramX, Position(0), kNone, kNone,
     "X, lowers the logistic response by (1 - X) / 2", "-1 to 1, checked by the model"},
    {"distR", ValueType::kKind, &RunArguments::distR, 0, kKindMinimum, kKindMaximum,
     "distribution of R: 0 Constant, 1 Normal, 2 Log-Normal"},
    {"medianR", ValueType::kReal, &RunArguments::medianR, Position(50), Position(0), Position(100),
     "median of R"},
    {"sigmaR", ValueType::kReal, &RunArguments::sigmaR, Position(15), Position(0), Position(35),
     "spread of R"},
    {"distI", ValueType::kKind, &RunArguments::distI, 0, kKindMinimum, kKindMaximum,
     "distribution of I: 0 Constant, 1 Normal, 2 Log-Normal"},
    {"valueI", ValueType::kReal, &RunArguments::valueI, Position(100), Position(0), Position(100),
     "value (median) of I"},
    {"sigmaI", ValueType::kReal, &RunArguments::sigmaI, Position(20), Position(0), Position(20),
     "spread of I"},
    {"distT", ValueType::kKind, &RunArguments::distT, 0, kKindMinimum, kKindMaximum,
     "distribution of T: 0 Constant, 1 Normal, 2 Log-Normal"},
    {"valueT", ValueType::kReal, &RunArguments::valueT, Position(50), Position(0), Position(100),
     "value (median) of T, the threshold"},
    {"sigmaT", ValueType::kReal, &RunArguments::sigmaT, Position(20), Position(0), Position(20),
     "spread of T"},
    {"distE", ValueType::kKind, &RunArguments::distE, 0, kKindMinimum, kKindMaximum,
     "distribution of E: 0 Constant, 1 Normal, 2 Log-Normal"},
    {"valueE", ValueType::kReal, &RunArguments::valueE, Position(50), Position(0), Position(100),
     "value (median) of E"},
    {"sigmaE", ValueType::kReal, &RunArguments::sigmaE, Position(20), Position(0), Position(20),
     "spread of E"},
    {"sanctionsOn", ValueType::kFlag, &RunArguments::sanctionsOn, 0, 0, 1,
     "1 switches sanctions (second-order contributions) on"},
    {"distRPrime", ValueType::kKind, &RunArguments::distRPrime, 0, kKindMinimum, kKindMaximum,
     "distribution of R': 0 Constant, 1 Normal, 2 Log-Normal"},
    {"medianRPrime", ValueType::kReal, &RunArguments::medianRPrime, Position(50), Position(0),
     Position(100), "median of R'"},
    {"sigmaRPrime", ValueType::kReal, &RunArguments::sigmaRPrime, Position(15), Position(0),
     Position(35), "spread of R'"},
    {"paramJPrime", ValueType::kReal, &RunArguments::paramJPrime, Position(50), Position(0),
     Position(100), "J', scale exponent of the sanction cost"},
    {"paramM", ValueType::kReal, &RunArguments::paramM, Position(100), Position(100), Position(200),
     "m, exponent of the sanction term"},
    {"corrRRPrime", ValueType::kReal, &RunArguments::corrRRPrime, Position(0), Position(-100),
     Position(100), "correlation of R and R'"},
    {"corrRI", ValueType::kReal, &RunArguments::corrRI, Position(0), Position(-100), Position(100),
     "correlation of R and I"},
    {"corrRPrimeI", ValueType::kReal, &RunArguments::corrRPrimeI, Position(0), Position(-100),
     Position(100), "correlation of R' and I"},
    {"corrET", ValueType::kReal, &RunArguments::corrET, Position(0), Position(-100), Position(100),
     "correlation of E and T"},
    {"agentCount", ValueType::kInteger, &RunArguments::agentCount, 100, kNone, kNone,
     "N, the number of agents", "1 or more, checked by the model"},
    {"requestedCountR", ValueType::kInteger, &RunArguments::requestedCountR, 100, 0, kNone,
     "number of agents carrying R (at most N take it)"},
    {"requestedCountRPrime", ValueType::kInteger, &RunArguments::requestedCountRPrime, 100, 0,
     kNone, "number of agents carrying R' (at most N take it)"},
    {"reservedArg", ValueType::kInteger, &RunArguments::reservedArg, 0, kNone, kNone,
     "reserved, ignored by the model", "any whole number"},
    {"slopeM", ValueType::kInteger, &RunArguments::slopeM, 10, kNone, kNone,
     "M, slope of the logistic response", "any whole number"},
}};

std::string FormatBound(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", v);
  return text;
}

std::string RangeText(const ArgumentSpec& entry) {
  if (entry.minimum && entry.maximum) {
    return FormatBound(*entry.minimum) + " to " + FormatBound(*entry.maximum);
  }
  if (entry.minimum) return FormatBound(*entry.minimum) + " or more";
  if (entry.maximum) return FormatBound(*entry.maximum) + " or less";
  return std::string(entry.unboundedRange);
}

std::string OutsideBounds(const ArgumentSpec& entry, std::string_view text) {
  return std::string(text) + " is outside " + RangeText(entry);
}

bool WithinBounds(const ArgumentSpec& entry, double v) {
  return (!entry.minimum || v >= *entry.minimum) && (!entry.maximum || v <= *entry.maximum);
}

}  // namespace

std::span<const ArgumentSpec> ArgumentTable() {
  return kArguments;
}

std::optional<std::size_t> FindArgument(std::string_view name) {
  for (std::size_t i = 0; i < kArguments.size(); ++i) {
    if (kArguments[i].name == name) return i;
  }
  return std::nullopt;
}

model::RunArguments DefaultRunArguments() {
  model::RunArguments arguments{};
  for (const ArgumentSpec& entry : kArguments)
    SetArgumentValue(entry, entry.defaultValue, arguments);
  return arguments;
}

std::string ApplyArgument(const ArgumentSpec& entry, std::string_view text,
                          model::RunArguments& arguments) {
  std::string reason = ReadArgumentValue(entry, text, arguments);
  if (reason.empty()) return reason;
  return "--" + std::string(entry.name) + ": " + reason;
}

std::string ReadArgumentValue(const ArgumentSpec& entry, std::string_view text,
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

void SetArgumentValue(const ArgumentSpec& entry, double value, model::RunArguments& arguments) {
  std::visit(
      [&](auto field) {
        using Value = std::remove_reference_t<decltype(arguments.*field)>;
        arguments.*field = static_cast<Value>(value);
      },
      entry.field);
}

double ArgumentValue(const ArgumentSpec& entry, const model::RunArguments& arguments) {
  return std::visit([&](auto field) { return static_cast<double>(arguments.*field); }, entry.field);
}

std::string DescribeBounds(const ArgumentSpec& entry) {
  return "default " + FormatRoundTrip(entry.defaultValue) + "; " + RangeText(entry);
}

}  // namespace cli
