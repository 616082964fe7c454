#include "batch/batch_output.h"

#include <array>
#include <charconv>
#include <cmath>

#include "batch/run_values.h"
#include "run_description/number_text.h"
#include "run_description/parameter_table.h"

namespace batch {
namespace {

// Enough for any integer.
constexpr std::size_t kNumberBuffer = 32;

void AppendJsonNumber(std::string& text, double value) {
  if (std::isfinite(value)) {
    run::AppendSignificant(text, value);
  } else {
    text += "null";
  }
}

template <typename Integer>
void AppendInteger(std::string& text, Integer value) {
  std::array<char, kNumberBuffer> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  text.append(buffer.data(), result.ptr);
}

void AppendArgumentNames(std::string& text) {
  for (const run::ParameterSpec& entry : run::ParameterTable())
    text.append(entry.name).append(1, ',');
}

void AppendArgumentValues(std::string& text, const model::RunArguments& arguments) {
  for (const run::ParameterSpec& entry : run::ParameterTable()) {
    run::AppendRoundTrip(text, run::ParameterValue(entry, arguments));
    text += ',';
  }
}

void AppendJsonParameters(std::string& text, const model::RunArguments& arguments) {
  text += "\"parameters\":{";
  const char* separator = "";
  for (const run::ParameterSpec& entry : run::ParameterTable()) {
    text.append(separator).append(1, '"').append(entry.name).append("\":");
    run::AppendRoundTrip(text, run::ParameterValue(entry, arguments));
    separator = ",";
  }
  text += '}';
}

void AppendJsonSteps(std::string& text) {
  text += "\"step\":[";
  for (int k = 0; k < model::kStepCount; ++k) {
    if (k > 0) text += ',';
    AppendInteger(text, k);
  }
  text += ']';
}

// "name":[v0,...,v100] for one series, value(k) giving step k.
template <typename ValueAt>
void AppendJsonArray(std::string& text, std::string_view name, ValueAt value) {
  text.append(1, '"').append(name).append("\":[");
  for (int k = 0; k < model::kStepCount; ++k) {
    if (k > 0) text += ',';
    AppendJsonNumber(text, value(k));
  }
  text += ']';
}

}  // namespace

void AppendRunCsvHeader(std::string& text) {
  text += "run,replicate,seed,";
  AppendArgumentNames(text);
  text += "step";
  for (const char* name : model::kSeriesNames) text.append(1, ',').append(name);
  text += '\n';
}

void AppendRunCsvRowOpening(std::string& text, const RunLabel& label,
                            const model::RunArguments& arguments) {
  AppendInteger(text, label.run);
  text += ',';
  AppendInteger(text, label.replicate);
  text += ',';
  AppendInteger(text, label.seed);
  text += ',';
  AppendArgumentValues(text, arguments);
}

void AppendRunCsv(std::string& text, const RunLabel& label, const model::RunArguments& arguments,
                  std::span<const float> values) {
  std::string prefix;
  AppendRunCsvRowOpening(prefix, label, arguments);
  for (int k = 0; k < model::kStepCount; ++k) {
    text += prefix;
    AppendInteger(text, k);
    for (int s = 0; s < model::kSeriesCount; ++s) {
      text += ',';
      run::AppendSignificant(text, values[ValueIndex(s, k)]);
    }
    text += '\n';
  }
}

void AppendRunJsonOpening(std::string& text, const RunLabel& label,
                          const model::RunArguments& arguments) {
  text += "{\"run\":";
  AppendInteger(text, label.run);
  text += ",\"point\":";
  AppendInteger(text, label.point);
  text += ",\"replicate\":";
  AppendInteger(text, label.replicate);
  text += ",\"seed\":";
  AppendInteger(text, label.seed);
  text += ',';
  AppendJsonParameters(text, arguments);
  text += ",\"series\":{";
  AppendJsonSteps(text);
}

void AppendRunJson(std::string& text, const RunLabel& label, const model::RunArguments& arguments,
                   std::span<const float> values) {
  AppendRunJsonOpening(text, label, arguments);
  for (int s = 0; s < model::kSeriesCount; ++s) {
    text += ',';
    AppendJsonArray(text, model::kSeriesNames[s], [&](int k) { return values[ValueIndex(s, k)]; });
  }
  text += "}}\n";
}

void AppendSummaryCsvHeader(std::string& text) {
  text += "point,replicates,baseSeed,";
  AppendArgumentNames(text);
  text += "step";
  for (const char* name : model::kSeriesNames) {
    for (const SummaryColumn& column : kSummaryColumns) {
      text.append(1, ',').append(name).append(1, '_').append(column.name);
    }
  }
  text += '\n';
}

void AppendSummaryCsvRowOpening(std::string& text, const PointLabel& label,
                                const model::RunArguments& arguments) {
  AppendInteger(text, label.point);
  text += ',';
  AppendInteger(text, label.replicates);
  text += ',';
  AppendInteger(text, label.baseSeed);
  text += ',';
  AppendArgumentValues(text, arguments);
}

void AppendSummaryCsv(std::string& text, const PointLabel& label,
                      const model::RunArguments& arguments,
                      std::span<const SummaryStatistics> statistics) {
  std::string prefix;
  AppendSummaryCsvRowOpening(prefix, label, arguments);
  for (int k = 0; k < model::kStepCount; ++k) {
    text += prefix;
    AppendInteger(text, k);
    for (int s = 0; s < model::kSeriesCount; ++s) {
      for (const SummaryColumn& column : kSummaryColumns) {
        text += ',';
        run::AppendSignificant(text, statistics[ValueIndex(s, k)].*column.member);
      }
    }
    text += '\n';
  }
}

void AppendSummaryJsonOpening(std::string& text, const PointLabel& label,
                              const model::RunArguments& arguments) {
  text += "{\"point\":";
  AppendInteger(text, label.point);
  text += ",\"replicates\":";
  AppendInteger(text, label.replicates);
  text += ",\"baseSeed\":";
  AppendInteger(text, label.baseSeed);
  text += ',';
  AppendJsonParameters(text, arguments);
  text += ",\"series\":{";
  AppendJsonSteps(text);
}

void AppendSummaryJson(std::string& text, const PointLabel& label,
                       const model::RunArguments& arguments,
                       std::span<const SummaryStatistics> statistics) {
  AppendSummaryJsonOpening(text, label, arguments);
  for (int s = 0; s < model::kSeriesCount; ++s) {
    text.append(",\"").append(model::kSeriesNames[s]).append("\":{");
    const char* separator = "";
    for (const SummaryColumn& column : kSummaryColumns) {
      text += separator;
      AppendJsonArray(text, column.name,
                      [&](int k) { return statistics[ValueIndex(s, k)].*column.member; });
      separator = ",";
    }
    text += '}';
  }
  text += "}}\n";
}

}  // namespace batch
