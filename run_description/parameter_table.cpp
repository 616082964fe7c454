#include "run_description/parameter_table.h"

#include <cmath>
#include <cstdio>
#include <type_traits>

#include "model/run_limits.h"
#include "run_description/number_text.h"

namespace run {
namespace {

std::string FormatBound(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", v);
  return text;
}

std::string BoundsText(std::optional<double> minimum, std::optional<double> maximum) {
  if (minimum && maximum) return FormatBound(*minimum) + " to " + FormatBound(*maximum);
  if (minimum) return FormatBound(*minimum) + " or more";
  if (maximum) return FormatBound(*maximum) + " or less";
  return {};
}

std::optional<double> Finite(double bound) {
  return std::isfinite(bound) ? std::optional<double>(bound) : std::nullopt;
}

std::string RangeText(const ParameterRow& entry) {
  if (entry.minimum || entry.maximum) return BoundsText(entry.minimum, entry.maximum);
  if (const model::RunLimit* limit = model::FindRunLimit(entry.name)) {
    return BoundsText(Finite(limit->minimum), Finite(limit->maximum)) + ", checked by the model";
  }
  return std::string(entry.unboundedRange);
}

std::string OutsideBounds(const ParameterRow& entry, std::string_view text) {
  return std::string(text) + " is outside " + RangeText(entry);
}

bool WithinBounds(const ParameterRow& entry, double v) {
  return (!entry.minimum || v >= *entry.minimum) && (!entry.maximum || v <= *entry.maximum);
}

}  // namespace

std::span<const ParameterRow> ParameterTable() {
  return kParameterRows;
}

std::optional<std::size_t> FindParameter(std::string_view name) {
  for (std::size_t i = 0; i < kParameterRows.size(); ++i) {
    if (kParameterRows[i].name == name) return i;
  }
  return std::nullopt;
}

model::RunArguments DefaultRunArguments() {
  model::RunArguments arguments{};
  for (const ParameterRow& entry : kParameterRows)
    SetParameterValue(entry, entry.defaultValue, arguments);
  return arguments;
}

std::string ApplyArgument(const ParameterRow& entry, std::string_view text,
                          model::RunArguments& arguments) {
  std::string reason = ReadParameterValue(entry, text, arguments);
  if (reason.empty()) return reason;
  return "--" + std::string(entry.name) + ": " + reason;
}

std::string ReadParameterValue(const ParameterRow& entry, std::string_view text,
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

void SetParameterValue(const ParameterRow& entry, double value, model::RunArguments& arguments) {
  std::visit(
      [&](auto field) {
        using Value = std::remove_reference_t<decltype(arguments.*field)>;
        arguments.*field = static_cast<Value>(value);
      },
      entry.field);
}

double ParameterValue(const ParameterRow& entry, const model::RunArguments& arguments) {
  return std::visit([&](auto field) { return static_cast<double>(arguments.*field); }, entry.field);
}

std::string DescribeBounds(const ParameterRow& entry) {
  return "default " + FormatRoundTrip(entry.defaultValue) + "; " + RangeText(entry);
}

}  // namespace run
