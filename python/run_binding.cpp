#include <pybind11/numpy.h>
#include <pybind11/operators.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>

#include "batch/seeded_run.h"
#include "model/result_series.h"
#include "model/run_limits.h"
#include "python/bindings.h"
#include "python/settings_reader.h"
#include "run_description/parameter_table.h"
#include "run_description/rerun_command.h"

namespace py = pybind11;

namespace pymodule {
namespace {

const char* TypeName(run::ValueType type) {
  switch (type) {
    case run::ValueType::kReal:
      return "real";
    case run::ValueType::kInteger:
      return "integer";
    case run::ValueType::kKind:
      return "kind";
    case run::ValueType::kFlag:
      return "flag";
  }
  return "real";
}

// A parameter's value as Python shows it: an int for the whole-number types.
py::object ValueObject(const run::ParameterRow& entry, double value) {
  if (entry.type == run::ValueType::kReal) return py::float_(value);
  return py::int_(static_cast<long long>(value));
}

py::object Bound(const run::ParameterRow& entry, std::optional<double> bound) {
  return bound ? ValueObject(entry, *bound) : py::object(py::none());
}

// The bounds a value must keep: the table's own, or the model's check.
std::pair<std::optional<double>, std::optional<double>> Bounds(const run::ParameterRow& entry) {
  if (entry.minimum || entry.maximum) return {entry.minimum, entry.maximum};
  const auto finite = [](double v) { return std::isfinite(v) ? std::optional(v) : std::nullopt; };
  if (const model::RunLimit* limit = model::FindRunLimit(entry.name))
    return {finite(limit->minimum), finite(limit->maximum)};
  return {};
}

py::list ParameterRows() {
  py::list rows;
  for (const run::ParameterRow& entry : run::ParameterTable()) {
    const auto [minimum, maximum] = Bounds(entry);
    rows.append(py::make_tuple(std::string(entry.name), TypeName(entry.type),
                               ValueObject(entry, entry.defaultValue), Bound(entry, minimum),
                               Bound(entry, maximum), std::string(entry.meaning),
                               run::DescribeBounds(entry)));
  }
  return rows;
}

py::dict SettingValues(const model::RunArguments& arguments) {
  py::dict values;
  for (const run::ParameterRow& entry : run::ParameterTable()) {
    values[py::str(entry.name.data(), entry.name.size())] =
        ValueObject(entry, run::ParameterValue(entry, arguments));
  }
  return values;
}

// Each Python thread keeps its model, as each worker of a batch does.
batch::SeededRunner& ThreadRunner() {
  thread_local batch::SeededRunner runner;
  return runner;
}

// One run, its five series copied into a steps-by-series array (the layout
// of the runner's CSV) with the GIL released.
py::tuple RunOnce(const py::dict& parameters, py::handle seedValue) {
  const model::RunArguments arguments = ReadParameters(parameters);
  const std::int32_t seed = ReadSeed(seedValue);
  py::array_t<float> series({model::kStepCount, static_cast<int>(model::kSeriesCount)});
  float* out = series.mutable_data();
  std::string failure;
  {
    py::gil_scoped_release released;
    try {
      const model::SeriesPointers values = ThreadRunner().Run(arguments, seed);
      for (int k = 0; k < model::kStepCount; ++k) {
        for (int s = 0; s < model::kSeriesCount; ++s) *out++ = values[s][k];
      }
    } catch (const std::runtime_error& error) {
      failure = error.what();
    }
  }
  if (!failure.empty()) throw py::value_error(failure);
  return py::make_tuple(std::move(series), seed, arguments);
}

}  // namespace

void BindRun(py::module_& module) {
  py::class_<model::RunArguments>(module, "Setting",
                                  "The 29 parameters of a run, checked; see corvellan.parameters.")
      .def("values", &SettingValues, "The parameters by name, in the table's order.")
      .def(
          "command",
          [](const model::RunArguments& arguments, std::int32_t seed) {
            return run::RerunCommand(seed, arguments);
          },
          py::arg("seed"), "The corvellan-run command with every option that repeats the run.")
      .def(
          "short_command",
          [](const model::RunArguments& arguments, std::int32_t seed) {
            return run::ShortRerunCommand(seed, arguments);
          },
          py::arg("seed"), "The same command with only the options that differ from the defaults.")
      .def(py::self == py::self);
  module.def("parameter_rows", &ParameterRows,
             "(name, kind, default, minimum, maximum, meaning, bounds text) of each parameter.");
  module.def("setting", &ReadParameters, py::arg("parameters"),
             "The defaults with parameters applied, checked as the runner checks its options.");
  module.def("run", &RunOnce, py::arg("parameters"), py::arg("seed"),
             "(series, seed, setting) of one run: series is float32, steps by series.");
}

}  // namespace pymodule
