#include "batch/batch_output.h"

#include "batch/run_values.h"
#include "run_description/number_text.h"
#include "run_description/output_text.h"

namespace batch {

using run::AppendInteger;

void AppendRunCsvHeader(std::string& text) {
  text += "run,replicate,seed,";
  run::AppendParameterNames(text);
  run::AppendSeriesColumnNames(text);
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
  run::AppendParameterValues(text, arguments);
}

void AppendRunCsv(std::string& text, const RunLabel& label, const model::RunArguments& arguments,
                  std::span<const float> values) {
  std::string prefix;
  AppendRunCsvRowOpening(prefix, label, arguments);
  for (int k = 0; k < model::kStepCount; ++k) {
    text += prefix;
    run::AppendCsvStep(text, k, [&](int s) { return values[ValueIndex(s, k)]; });
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
  run::AppendJsonParameters(text, arguments);
  text += ",\"series\":{";
  run::AppendJsonStepArray(text);
}

void AppendRunJson(std::string& text, const RunLabel& label, const model::RunArguments& arguments,
                   std::span<const float> values) {
  AppendRunJsonOpening(text, label, arguments);
  for (int s = 0; s < model::kSeriesCount; ++s) {
    text += ',';
    run::AppendJsonSeriesArray(text, model::kSeriesNames[s],
                               [&](int k) { return values[ValueIndex(s, k)]; });
  }
  text += "}}\n";
}

void AppendSummaryCsvHeader(std::string& text) {
  text += "point,replicates,baseSeed,";
  run::AppendParameterNames(text);
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
  run::AppendParameterValues(text, arguments);
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
  run::AppendJsonParameters(text, arguments);
  text += ",\"series\":{";
  run::AppendJsonStepArray(text);
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
      run::AppendJsonSeriesArray(
          text, column.name, [&](int k) { return statistics[ValueIndex(s, k)].*column.member; });
      separator = ",";
    }
    text += '}';
  }
  text += "}}\n";
}

}  // namespace batch
