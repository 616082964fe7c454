#include "run_description/observed_data.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "run_description/number_text.h"
#include "run_description/text_lines.h"

namespace run {
namespace {

constexpr std::string_view kStepColumn = "step";
constexpr std::string_view kMissing = "NA";
constexpr char kCommentStart = '#';
constexpr int kLastStep = model::kStepCount - 1;

ObservedDataReading Refuse(std::string error) {
  return {std::nullopt, std::move(error)};
}

std::string LineText(std::size_t index) {
  return "line " + std::to_string(index + 1);
}

std::string SeriesList() {
  std::string list;
  for (int s = 0; s < model::kSeriesCount; ++s) {
    if (s > 0) list += ", ";
    list += model::kSeriesNames[s];
  }
  return list;
}

std::optional<int> SeriesNamed(std::string_view name) {
  for (int s = 0; s < model::kSeriesCount; ++s) {
    if (name == model::kSeriesNames[s]) return s;
  }
  return std::nullopt;
}

// Where each column of the file goes: the step, or a series.
struct Columns {
  std::size_t step = 0;
  std::vector<std::optional<int>> series;  // by column; empty for the step's
};

std::string ReadHeader(std::string_view line, std::size_t index, Columns& columns,
                       ObservedData& data) {
  const std::vector<std::string_view> names = SplitWords(line, ',');
  columns.series.assign(names.size(), std::nullopt);
  bool stepSeen = false;
  for (std::size_t c = 0; c < names.size(); ++c) {
    const std::string field = LineText(index) + ", field " + std::to_string(c + 1) + ": ";
    if (names[c] == kStepColumn) {
      if (stepSeen) return field + "a second \"step\" column";
      stepSeen = true;
      columns.step = c;
      continue;
    }
    const std::optional<int> series = SeriesNamed(names[c]);
    if (!series)
      return field + Quoted(names[c]) + " is neither \"step\" nor a series (" + SeriesList() + ")";
    if (data.columns[static_cast<std::size_t>(*series)]) {
      return field + "a second " + Quoted(names[c]) + " column";
    }
    data.columns[static_cast<std::size_t>(*series)] = true;
    columns.series[c] = series;
  }
  if (!stepSeen) return LineText(index) + ": the header has no \"step\" column";
  if (names.size() < 2)
    return LineText(index) + ": the header names no series (" + SeriesList() + ")";
  return {};
}

std::string ReadStep(std::string_view cell, const std::string& field, int& step) {
  const ParsedInteger parsed = ParseInteger(cell);
  if (!parsed.value) return field + Quoted(cell) + " is not a whole number";
  if (*parsed.value < 0 || *parsed.value > kLastStep) {
    return field + Quoted(cell) + " is not a step from 0 to " + std::to_string(kLastStep);
  }
  step = *parsed.value;
  return {};
}

std::string ReadValue(std::string_view cell, const std::string& field, int series, int step,
                      ObservedData& data) {
  if (cell.empty() || cell == kMissing) return {};
  const std::optional<double> value = ReadNumber(cell);
  if (!value)
    return field + Quoted(cell) +
           " is not a number (leave it empty or write NA when it is missing)";
  if (!std::isfinite(*value)) return field + Quoted(cell) + " is not a finite number";
  if (!InSeriesRange(series, *value)) return field + Quoted(cell) + " lies outside 0 to 1";
  data.points.push_back({series, step, *value});
  return {};
}

std::string ReadRow(std::string_view line, std::size_t index, const Columns& columns,
                    std::set<int>& steps, ObservedData& data) {
  if (line.empty()) return LineText(index) + " is empty";
  const std::vector<std::string_view> cells = SplitWords(line, ',');
  if (cells.size() != columns.series.size()) {
    return LineText(index) + " has " + std::to_string(cells.size()) +
           " fields where the header has " + std::to_string(columns.series.size());
  }
  int step = 0;
  const std::string stepField = LineText(index) + ", field step: ";
  if (std::string e = ReadStep(cells[columns.step], stepField, step); !e.empty()) return e;
  if (!steps.insert(step).second)
    return stepField + "step " + std::to_string(step) + " is given twice";
  for (std::size_t c = 0; c < cells.size(); ++c) {
    if (!columns.series[c]) continue;
    const int series = *columns.series[c];
    const std::string field = LineText(index) + ", field " + model::kSeriesNames[series] + ": ";
    if (std::string e = ReadValue(cells[c], field, series, step, data); !e.empty()) return e;
  }
  return {};
}

// A last line left empty is the end of the one before it, not a row.
std::size_t RowsEnd(const std::vector<std::string_view>& lines) {
  std::size_t end = lines.size();
  while (end > 0 && lines[end - 1].empty()) --end;
  return end;
}

}  // namespace

ObservedDataReading ReadObservedData(std::string_view text) {
  if (text.empty()) return Refuse("the file is empty");
  if (text.size() > kMaxObservedDataBytes) {
    return Refuse("the file is larger than observed data of " + std::to_string(model::kStepCount) +
                  " steps can be (" + std::to_string(kMaxObservedDataBytes) + " bytes)");
  }
  if (const std::optional<std::size_t> at = FirstForeignByte(text)) {
    return Refuse("the file is not text: byte " + std::to_string(*at + 1) +
                  " is no printable character");
  }
  const std::vector<std::string_view> lines = SplitLines(text);
  std::size_t index = 0;
  while (index < lines.size() && lines[index].starts_with(kCommentStart)) ++index;
  if (index == lines.size()) return Refuse("the file has no header after its comment lines");
  ObservedData data;
  Columns columns;
  if (std::string e = ReadHeader(lines[index], index, columns, data); !e.empty())
    return Refuse(std::move(e));
  std::set<int> steps;
  const std::size_t end = RowsEnd(lines);
  for (++index; index < end; ++index) {
    if (std::string e = ReadRow(lines[index], index, columns, steps, data); !e.empty()) {
      return Refuse(std::move(e));
    }
  }
  if (data.points.empty()) return Refuse("the file has no observed value: every one is missing");
  std::sort(data.points.begin(), data.points.end(),
            [](const ObservedPoint& a, const ObservedPoint& b) {
              return a.series != b.series ? a.series < b.series : a.step < b.step;
            });
  return {std::move(data), {}};
}

}  // namespace run
