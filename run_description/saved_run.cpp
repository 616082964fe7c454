#include "run_description/saved_run.h"

#include <charconv>
#include <cmath>
#include <set>
#include <vector>

#include "model/result_series.h"
#include "run_description/number_text.h"
#include "run_description/parameter_table.h"

namespace run {
namespace {

constexpr std::string_view kCommandStart = "# corvellan-run";
constexpr std::string_view kSeedOption = "--seed";
constexpr std::string_view kOptionPrefix = "--";
constexpr int kFirstRowLine = 3;  // lines count from 1: command, header, rows
constexpr char kAsciiDelete = 0x7f;

SavedRunReading Refuse(std::string error) {
  return {std::nullopt, std::move(error)};
}

std::string LineText(int line) {
  return "line " + std::to_string(line);
}

// Printable ASCII, tabs and line ends only: anything else is not a file this
// program wrote.
std::optional<std::size_t> FirstForeignByte(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool allowed = c == '\n' || c == '\r' || c == '\t' || (c >= ' ' && c < kAsciiDelete);
    if (!allowed) return i;
  }
  return std::nullopt;
}

// The lines without their ends; the last one may lack its end.
struct Lines {
  std::vector<std::string_view> lines;
};

Lines SplitLines(std::string_view text) {
  Lines result;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    result.lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return result;
}

std::vector<std::string_view> Words(std::string_view text, char separator) {
  std::vector<std::string_view> words;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find(separator, start);
    const std::size_t stop = end == std::string_view::npos ? text.size() : end;
    if (separator != ' ' || stop > start) words.push_back(text.substr(start, stop - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return words;
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
  const std::vector<std::string_view> words = Words(line.substr(kCommandStart.size()), ' ');
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

std::optional<double> Number(std::string_view text) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The rates are sums of shares that add up to 1, so a rounding error past
// either end is theirs; the means are clamped when they are stored.
constexpr double kRateSlack = 1e-6;

bool InRange(int series, double value) {
  const bool rate = series == model::kFirstOrderRate || series == model::kSecondOrderRate;
  const double slack = rate ? kRateSlack : 0.0;
  return value >= -slack && value <= 1.0 + slack;
}

std::string ReadRow(std::string_view line, int step, std::vector<float>& series) {
  const int lineNumber = kFirstRowLine + step;
  const std::vector<std::string_view> cells = Words(line, ',');
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
    const std::optional<double> value = Number(cell);
    if (!value) return field + Quoted(cell) + " is not a number";
    if (!std::isfinite(*value)) return field + Quoted(cell) + " is not a finite number";
    if (!InRange(s, *value)) return field + Quoted(cell) + " lies outside 0 to 1";
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
  const Lines split = SplitLines(text);
  SavedRun run;
  run.series.assign(static_cast<std::size_t>(model::kSeriesCount * model::kStepCount), 0.0f);
  if (std::string error = ReadCommand(split.lines[0], run); !error.empty()) {
    return Refuse(std::move(error));
  }
  if (split.lines.size() < 2 || split.lines[1] != HeaderText()) {
    return Refuse("line 2 is not the header \"" + HeaderText() + "\"");
  }
  for (int step = 0; step < model::kStepCount; ++step) {
    const std::size_t index = static_cast<std::size_t>(kFirstRowLine - 1 + step);
    if (index >= split.lines.size()) {
      return Refuse("the file ends after line " + std::to_string(split.lines.size()) +
                    ", before the row of step " + std::to_string(step));
    }
    if (std::string error = ReadRow(split.lines[index], step, run.series); !error.empty()) {
      return Refuse(std::move(error));
    }
  }
  const std::size_t rowsEnd = static_cast<std::size_t>(kFirstRowLine - 1 + model::kStepCount);
  if (split.lines.size() > rowsEnd) {
    return Refuse(LineText(static_cast<int>(rowsEnd) + 1) + " follows the row of the last step");
  }
  return {run, {}};
}

}  // namespace run
