#include "run_description/saved_run.h"

#include <cmath>
#include <set>
#include <vector>

#include "model/result_series.h"
#include "run_description/number_text.h"
#include "run_description/parameter_table.h"
#include "run_description/text_lines.h"

namespace run {
namespace {

constexpr std::string_view kCommandStart = "# corvellan-run";
constexpr std::string_view kSeedOption = "--seed";
constexpr std::string_view kOptionPrefix = "--";
constexpr int kFirstRowLine = 3;  // lines count from 1: command, header, rows

SavedRunReading Refuse(std::string error) {
  return {std::nullopt, std::move(error)};
}

std::string LineText(int line) {
  return "line " + std::to_string(line);
}

std::string HeaderText() {
  std::string header = "step";
  for (const char* name : model::kSeriesNames) header.append(1, ',').append(name);
  return header;
}

// "--name value" pairs after the program's name; the seed is required, as
// without it the run cannot be repeated.
std::string ReadCommand(std::string_view line, SavedRun& run) {
  if (!line.starts_with(kCommandStart) ||
      (line.size() > kCommandStart.size() && line[kCommandStart.size()] != ' ')) {
    return "line 1 is not the \"# corvellan-run ...\" command that repeats the run";
  }
  const std::vector<std::string_view> words = SplitWords(line.substr(kCommandStart.size()), ' ');
  run.arguments = DefaultRunArguments();
  std::set<std::string_view> seen;
  bool seedGiven = false;
  for (std::size_t i = 0; i < words.size(); i += 2) {
    const std::string_view option = words[i];
    if (!option.starts_with(kOptionPrefix)) {
      return "line 1: " + Quoted(option) + " is not an option";
    }
    if (i + 1 >= words.size()) return "line 1: " + std::string(option) + " has no value";
    const std::string_view value = words[i + 1];
    if (!seen.insert(option).second) return "line 1: " + std::string(option) + " is given twice";
    if (option == kSeedOption) {
      const ParsedInteger seed = ParseInteger(value);
      if (!seed.value) return "line 1: --seed: " + seed.error;
      run.seed = *seed.value;
      seedGiven = true;
      continue;
    }
    const std::optional<std::size_t> index = FindParameter(option.substr(kOptionPrefix.size()));
    if (!index) return "line 1: unknown option " + std::string(option);
    const std::string error = ApplyArgument(ParameterTable()[*index], value, run.arguments);
    if (!error.empty()) return "line 1: " + error;
  }
  if (!seedGiven) return "line 1: the command has no --seed, so the run cannot be repeated";
  return {};
}

std::string ReadRow(std::string_view line, int step, std::vector<float>& series) {
  const int lineNumber = kFirstRowLine + step;
  const std::vector<std::string_view> cells = SplitWords(line, ',');
  if (cells.size() != 1 + static_cast<std::size_t>(model::kSeriesCount)) {
    return LineText(lineNumber) + " has " + std::to_string(cells.size()) +
           " fields where the step and " + std::to_string(model::kSeriesCount) + " series belong";
  }
  if (cells[0] != std::to_string(step)) {
    return LineText(lineNumber) + ", field step: " + Quoted(cells[0]) + " where step " +
           std::to_string(step) + " belongs";
  }
  for (int s = 0; s < model::kSeriesCount; ++s) {
    const std::string_view cell = cells[static_cast<std::size_t>(s) + 1];
    const std::string field = LineText(lineNumber) + ", field " + model::kSeriesNames[s] + ": ";
    const std::optional<double> value = ReadNumber(cell);
    if (!value) return field + Quoted(cell) + " is not a number";
    if (!std::isfinite(*value)) return field + Quoted(cell) + " is not a finite number";
    if (!InSeriesRange(s, *value)) return field + Quoted(cell) + " lies outside 0 to 1";
    series[static_cast<std::size_t>(s * model::kStepCount + step)] = static_cast<float>(*value);
  }
  return {};
}

}  // namespace

SavedRunReading ReadSavedRun(std::string_view text) {
  if (text.empty()) return Refuse("the file is empty");
  if (text.size() > kMaxSavedRunBytes) {
    return Refuse("the file is larger than a series CSV can be (" +
                  std::to_string(kMaxSavedRunBytes) + " bytes)");
  }
  if (const std::optional<std::size_t> at = FirstForeignByte(text)) {
    return Refuse("the file is not text: byte " + std::to_string(*at + 1) +
                  " is no printable character");
  }
  const std::vector<std::string_view> lines = SplitLines(text);
  SavedRun run;
  run.series.assign(static_cast<std::size_t>(model::kSeriesCount * model::kStepCount), 0.0f);
  if (std::string error = ReadCommand(lines[0], run); !error.empty()) {
    return Refuse(std::move(error));
  }
  if (lines.size() < 2 || lines[1] != HeaderText()) {
    return Refuse("line 2 is not the header \"" + HeaderText() + "\"");
  }
  for (int step = 0; step < model::kStepCount; ++step) {
    const std::size_t index = static_cast<std::size_t>(kFirstRowLine - 1 + step);
    if (index >= lines.size()) {
      return Refuse("the file ends after line " + std::to_string(lines.size()) +
                    ", before the row of step " + std::to_string(step));
    }
    if (std::string error = ReadRow(lines[index], step, run.series); !error.empty()) {
      return Refuse(std::move(error));
    }
  }
  const std::size_t rowsEnd = static_cast<std::size_t>(kFirstRowLine - 1 + model::kStepCount);
  if (lines.size() > rowsEnd) {
    return Refuse(LineText(static_cast<int>(rowsEnd) + 1) + " follows the row of the last step");
  }
  return {run, {}};
}

}  // namespace run
