#include "run_description/series_writers.h"

#include <cmath>

#include "run_description/number_text.h"
#include "run_description/parameter_table.h"
#include "run_description/rerun_command.h"

namespace run {
namespace {

std::string SeriesValueText(float v) {
  std::string text;
  AppendSignificant(text, v);
  return text;
}

std::string JsonNumber(float v) {
  return std::isfinite(v) ? SeriesValueText(v) : "null";
}

}  // namespace

void WriteCsv(std::ostream& out, const RunRecord& record) {
  out << "# " << RerunCommand(record.seed, record.arguments) << '\n';
  out << "step";
  for (const char* name : model::kSeriesNames) out << ',' << name;
  out << '\n';
  for (int k = 0; k < model::kStepCount; ++k) {
    out << k;
    for (const float* series : record.series) out << ',' << SeriesValueText(series[k]);
    out << '\n';
  }
}

void WriteJson(std::ostream& out, const RunRecord& record) {
  out << "{\"seed\":" << record.seed << ",\"command\":\""
      << RerunCommand(record.seed, record.arguments) << "\",\"parameters\":{";
  const char* separator = "";
  for (const ParameterSpec& entry : ParameterTable()) {
    out << separator << '"' << entry.name
        << "\":" << FormatRoundTrip(ParameterValue(entry, record.arguments));
    separator = ",";
  }
  out << "},\"series\":{\"step\":[";
  for (int k = 0; k < model::kStepCount; ++k) out << (k ? "," : "") << k;
  out << ']';
  for (int s = 0; s < model::kSeriesCount; ++s) {
    out << ",\"" << model::kSeriesNames[s] << "\":[";
    for (int k = 0; k < model::kStepCount; ++k) {
      out << (k ? "," : "") << JsonNumber(record.series[s][k]);
    }
    out << ']';
  }
  out << "}}\n";
}

void WriteJsonLines(std::ostream& out, const RunRecord& record) {
  std::string opening = "{\"seed\":" + std::to_string(record.seed);
  for (const ParameterSpec& entry : ParameterTable()) {
    opening.append(",\"").append(entry.name).append("\":");
    opening += FormatRoundTrip(ParameterValue(entry, record.arguments));
  }
  for (int k = 0; k < model::kStepCount; ++k) {
    out << opening << ",\"step\":" << k;
    for (int s = 0; s < model::kSeriesCount; ++s) {
      out << ",\"" << model::kSeriesNames[s] << "\":" << JsonNumber(record.series[s][k]);
    }
    out << "}\n";
  }
}

}  // namespace run
