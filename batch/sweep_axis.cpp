#include "batch/sweep_axis.h"

#include "batch/decimal_range.h"
#include "batch/setting_check.h"
#include "run_description/parameter_table.h"

namespace batch {
namespace {

constexpr char kNameEnd = '=';
constexpr char kRangeSeparator = ':';
constexpr char kListSeparator = ',';
constexpr std::size_t kRangeParts = 3;

std::vector<std::string_view> SplitAt(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t end = text.find(separator); end != std::string_view::npos;
       end = text.find(separator)) {
    parts.push_back(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
  parts.push_back(text);
  return parts;
}

ParsedSweep Refuse(std::string_view name, std::string_view reason) {
  std::string error = "--sweep ";
  error.append(name).append(": ").append(reason);
  return {std::nullopt, std::move(error)};
}

struct ValueTexts {
  std::vector<std::string> texts;
  std::string error;
};

ValueTexts RangeTexts(std::string_view values) {
  const std::vector<std::string_view> parts = SplitAt(values, kRangeSeparator);
  if (parts.size() != kRangeParts) return {{}, "expected START:STOP:STEP"};
  DecimalRange range = ExpandDecimalRange(parts[0], parts[1], parts[2], kMaxSweepValues);
  return {std::move(range.values), std::move(range.error)};
}

ValueTexts ListTexts(std::string_view values) {
  ValueTexts result;
  const std::vector<std::string_view> parts = SplitAt(values, kListSeparator);
  if (parts.size() > kMaxSweepValues) {
    return {{}, "the list has more than " + std::to_string(kMaxSweepValues) + " values"};
  }
  for (const std::string_view part : parts) {
    if (part.empty()) return {{}, "empty value in the list"};
    result.texts.emplace_back(part);
  }
  return result;
}

}  // namespace

ParsedSweep ParseSweep(std::string_view text) {
  const std::size_t nameEnd = text.find(kNameEnd);
  if (nameEnd == std::string_view::npos || nameEnd == 0) {
    std::string error = "--sweep \"";
    error.append(text).append("\": expected NAME=START:STOP:STEP or NAME=v1,v2,...");
    return {std::nullopt, std::move(error)};
  }
  const std::string_view name = text.substr(0, nameEnd);
  const std::string_view values = text.substr(nameEnd + 1);
  const std::optional<std::size_t> argument = run::FindParameter(name);
  if (!argument) return Refuse(name, "not a run argument (see --help for their names)");
  if (values.empty()) return Refuse(name, "no values after '='");

  const bool isRange = values.find(kRangeSeparator) != std::string_view::npos;
  const ValueTexts texts = isRange ? RangeTexts(values) : ListTexts(values);
  if (!texts.error.empty()) return Refuse(name, texts.error);

  SweepAxis axis{*argument, {}};
  axis.values.reserve(texts.texts.size());
  for (const std::string& valueText : texts.texts) {
    double value = 0.0;
    const std::string reason = CheckSettingText(run::ParameterTable()[*argument], valueText, value);
    if (!reason.empty()) return Refuse(name, reason);
    axis.values.push_back(value);
  }
  return {std::move(axis), {}};
}

}  // namespace batch
