#include "run_description/output_text.h"

#include <array>
#include <charconv>
#include <cmath>

#include "run_description/parameter_table.h"

namespace run {
namespace {

// Enough for any 64-bit integer.
constexpr std::size_t kIntegerBuffer = 32;

template <typename Integer>
void AppendAnyInteger(std::string& text, Integer value) {
  std::array<char, kIntegerBuffer> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  text.append(buffer.data(), result.ptr);
}

}  // namespace

void AppendInteger(std::string& text, std::int64_t value) {
  AppendAnyInteger(text, value);
}

void AppendInteger(std::string& text, std::uint64_t value) {
  AppendAnyInteger(text, value);
}

void AppendParameterNames(std::string& text) {
  for (const ParameterRow& entry : ParameterTable()) text.append(entry.name).append(1, ',');
}

void AppendParameterValues(std::string& text, const model::RunArguments& arguments) {
  for (const ParameterRow& entry : ParameterTable()) {
    AppendRoundTrip(text, ParameterValue(entry, arguments));
    text += ',';
  }
}

void AppendSeriesColumnNames(std::string& text) {
  text += "step";
  for (const char* name : model::kSeriesNames) text.append(1, ',').append(name);
}

void AppendJsonNumber(std::string& text, double value) {
  if (std::isfinite(value)) {
    AppendSignificant(text, value);
  } else {
    text += "null";
  }
}

void AppendJsonParameterMembers(std::string& text, const model::RunArguments& arguments) {
  const char* separator = "";
  for (const ParameterRow& entry : ParameterTable()) {
    text.append(separator).append(1, '"').append(entry.name).append("\":");
    AppendRoundTrip(text, ParameterValue(entry, arguments));
    separator = ",";
  }
}

void AppendJsonParameters(std::string& text, const model::RunArguments& arguments) {
  text += "\"parameters\":{";
  AppendJsonParameterMembers(text, arguments);
  text += '}';
}

void AppendJsonStepArray(std::string& text) {
  text += "\"step\":[";
  for (int k = 0; k < model::kStepCount; ++k) {
    if (k > 0) text += ',';
    AppendInteger(text, std::int32_t{k});
  }
  text += ']';
}

}  // namespace run
