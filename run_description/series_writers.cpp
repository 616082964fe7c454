#include "run_description/series_writers.h"

#include <string>

#include "run_description/output_text.h"
#include "run_description/rerun_command.h"

namespace run {

void WriteCsv(std::ostream& out, const RunRecord& record) {
  std::string text = "# " + RerunCommand(record.seed, record.arguments) + '\n';
  AppendSeriesColumnNames(text);
  text += '\n';
  for (int k = 0; k < model::kStepCount; ++k) {
    AppendCsvStep(text, k, [&](int s) { return record.series[s][k]; });
    text += '\n';
  }
  out << text;
}

void WriteJson(std::ostream& out, const RunRecord& record) {
  std::string text = "{\"seed\":";
  AppendInteger(text, record.seed);
  text += ",\"command\":\"" + RerunCommand(record.seed, record.arguments) + "\",";
  AppendJsonParameters(text, record.arguments);
  text += ",\"series\":{";
  AppendJsonStepArray(text);
  for (int s = 0; s < model::kSeriesCount; ++s) {
    text += ',';
    AppendJsonSeriesArray(text, model::kSeriesNames[s], [&](int k) { return record.series[s][k]; });
  }
  text += "}}\n";
  out << text;
}

void WriteJsonLines(std::ostream& out, const RunRecord& record) {
  std::string opening = "{\"seed\":";
  AppendInteger(opening, record.seed);
  opening += ',';
  AppendJsonParameterMembers(opening, record.arguments);
  opening += ",\"step\":";
  std::string text;
  for (int k = 0; k < model::kStepCount; ++k) {
    text += opening;
    AppendInteger(text, std::int32_t{k});
    for (int s = 0; s < model::kSeriesCount; ++s) {
      text.append(",\"").append(model::kSeriesNames[s]).append("\":");
      AppendJsonNumber(text, record.series[s][k]);
    }
    text += "}\n";
  }
  out << text;
}

}  // namespace run
