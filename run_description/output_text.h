#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/result_series.h"
#include "model/run_arguments.h"
#include "run_description/number_text.h"

namespace run {

// The pieces every output of a run is made of, for single runs, batch rows,
// the pins' CSV and the response curve alike. Every function appends to text.
// Parameters print with their shortest round-trip text, series values with 9
// significant digits (number_text.h).

void AppendInteger(std::string& text, std::int64_t value);
void AppendInteger(std::string& text, std::uint64_t value);
inline void AppendInteger(std::string& text, std::int32_t value) {
  AppendInteger(text, std::int64_t{value});
}

// "<name>," for each of the 29 parameters, in table order.
void AppendParameterNames(std::string& text);
// "<value>," for each of the 29 parameters of arguments.
void AppendParameterValues(std::string& text, const model::RunArguments& arguments);

// "step,<the five series>", the columns of one step of a run.
void AppendSeriesColumnNames(std::string& text);

// A series value in JSON: its 9 significant digits, or null when it is not a
// finite number (JSON has none).
void AppendJsonNumber(std::string& text, double value);

// "<name>":<value>,... for each parameter, without braces.
void AppendJsonParameterMembers(std::string& text, const model::RunArguments& arguments);
// "parameters":{...}
void AppendJsonParameters(std::string& text, const model::RunArguments& arguments);

// "step":[0,1,...,100]
void AppendJsonStepArray(std::string& text);

// "<name>":[v0,...,v100] for one series, valueAt(k) giving step k.
template <typename ValueAt>
void AppendJsonSeriesArray(std::string& text, std::string_view name, ValueAt valueAt) {
  text.append(1, '"').append(name).append("\":[");
  for (int k = 0; k < model::kStepCount; ++k) {
    if (k > 0) text += ',';
    AppendJsonNumber(text, valueAt(k));
  }
  text += ']';
}

// "<step>,<v0>,...,<v4>" without the line end, valueAt(s) giving series s.
template <typename ValueAt>
void AppendCsvStep(std::string& text, int step, ValueAt valueAt) {
  AppendInteger(text, std::int32_t{step});
  for (int s = 0; s < model::kSeriesCount; ++s) {
    text += ',';
    AppendSignificant(text, valueAt(s));
  }
}

}  // namespace run
