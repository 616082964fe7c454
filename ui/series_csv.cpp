#include "ui/series_csv.h"

#include <cstdio>

#include "ui/rerun_command.h"

namespace ui {
namespace {

constexpr std::size_t kValueBufferSize = 32;
constexpr std::string_view kCommentStart = "# ";
constexpr std::string_view kStepColumn = "step";

std::string SeriesValueText(float value) {
  char text[kValueBufferSize];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
  return text;
}

std::string Header() {
  std::string header(kStepColumn);
  for (const char* name : model::kSeriesNames) {
    header += ',';
    header += name;
  }
  return header + '\n';
}

std::string Row(int step, const SeriesPointers& series) {
  std::string row = std::to_string(step);
  for (const float* values : series) {
    row += ',' + SeriesValueText(values[step]);
  }
  return row + '\n';
}

}  // namespace

std::string SeriesCsv(const RunOnScreen& run, const SeriesPointers& series) {
  std::string csv = std::string(kCommentStart) + RerunCommand(run) + '\n' + Header();
  for (int step = 0; step < model::kStepCount; ++step) {
    csv += Row(step, series);
  }
  return csv;
}

}  // namespace ui
