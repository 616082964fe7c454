#include "python/measure_text.h"

#include <pybind11/pybind11.h>

#include "batch/measures.h"
#include "model/result_series.h"
#include "run_description/number_text.h"

namespace py = pybind11;

namespace pymodule {
namespace {

constexpr char kStepMark = '@';
constexpr char kRangeMark = ':';
constexpr int kLastStep = model::kStepCount - 1;

[[noreturn]] void Refuse(std::string_view text, std::string_view reason) {
  std::string message = "measure " + run::Quoted(text) + ": " + std::string(reason) +
                        " (expected SERIES, SERIES@STEP or SERIES@FIRST:LAST with steps 0 to " +
                        std::to_string(kLastStep) + " and SERIES one of";
  for (const char* name : model::kSeriesNames) message.append(" ").append(name);
  throw py::value_error(message + ")");
}

int ReadStep(std::string_view whole, std::string_view text) {
  const run::ParsedInteger step = run::ParseInteger(text);
  if (!step.value) Refuse(whole, step.error);
  if (*step.value < 0 || *step.value > kLastStep) Refuse(whole, "no step " + std::string(text));
  return *step.value;
}

}  // namespace

double MeasureChoice::Of(std::span<const float> run) const {
  if (first == last) return batch::ValueAtStep(run, series, first);
  return batch::MeanOverSteps(run, series, first, last);
}

MeasureChoice ReadMeasure(std::string_view text) {
  const std::size_t mark = text.find(kStepMark);
  const std::string_view name = text.substr(0, mark);
  MeasureChoice choice{-1, kLastStep, kLastStep};
  for (int s = 0; s < model::kSeriesCount; ++s) {
    if (name == model::kSeriesNames[s]) choice.series = s;
  }
  if (choice.series < 0) Refuse(text, "no series " + run::Quoted(name));
  if (mark == std::string_view::npos) return choice;
  const std::string_view steps = text.substr(mark + 1);
  const std::size_t range = steps.find(kRangeMark);
  choice.first = ReadStep(text, steps.substr(0, range));
  choice.last =
      range == std::string_view::npos ? choice.first : ReadStep(text, steps.substr(range + 1));
  if (choice.last < choice.first) Refuse(text, "the last step comes before the first");
  return choice;
}

}  // namespace pymodule
