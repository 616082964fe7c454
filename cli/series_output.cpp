#include "cli/series_output.h"

#include <cmath>
#include <cstdio>

#include "cli/argument_table.h"
#include "cli/number_parsing.h"

namespace cli {
namespace {

// 9 significant digits make every single-precision value read back exactly.
std::string FormatSeriesValue(float v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(v));
  return text;
}

std::string JsonNumber(float v) {
  return std::isfinite(v) ? FormatSeriesValue(v) : "null";
}

}  // namespace

std::string RerunCommand(const RunRecord& record) {
  std::string command = "corvellan-run --seed " + std::to_string(record.seed);
  for (const ArgumentSpec& entry : ArgumentTable()) {
    command += " --" + std::string(entry.name) + " " +
               FormatRoundTrip(ArgumentValue(entry, record.arguments));
  }
  return command;
}

void WriteCsv(std::ostream& out, const RunRecord& record) {
  out << "# " << RerunCommand(record) << '\n';
  out << "step";
  for (const char* name : model::kSeriesNames) out << ',' << name;
  out << '\n';
  for (int k = 0; k < model::kStepCount; ++k) {
    out << k;
    for (const float* series : record.series) out << ',' << FormatSeriesValue(series[k]);
    out << '\n';
  }
}

void WriteJson(std::ostream& out, const RunRecord& record) {
  out << "{\"seed\":" << record.seed << ",\"command\":\"" << RerunCommand(record)
      << "\",\"parameters\":{";
  const char* separator = "";
  for (const ArgumentSpec& entry : ArgumentTable()) {
    out << separator << '"' << entry.name
        << "\":" << FormatRoundTrip(ArgumentValue(entry, record.arguments));
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

}  // namespace cli
