#include "python/settings_reader.h"

#include <pybind11/numpy.h>

#include <string>

#include "batch/batch_counts.h"
#include "batch/setting_check.h"
#include "model/population_model.h"
#include "python/value_text.h"
#include "run_description/number_text.h"
#include "run_description/parameter_table.h"

namespace py = pybind11;

namespace pymodule {
namespace {

std::string UnknownName(std::string_view name) {
  return "unexpected argument " + run::Quoted(name) + " (see corvellan.parameters)";
}

void Refuse(const std::string& message) {
  if (!message.empty()) throw py::value_error(message);
}

// One column's values as the texts the runner would be given; None as an
// empty optional.
std::vector<std::optional<std::string>> ColumnTexts(py::handle column, std::size_t count) {
  std::vector<std::optional<std::string>> texts;
  texts.reserve(count);
  const bool numericArray =
      py::isinstance<py::array>(column) &&
      std::string_view("biuf").find(py::cast<py::array>(column).dtype().kind()) !=
          std::string_view::npos;
  if (numericArray) {
    const auto numbers =
        py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(column);
    if (numbers.ndim() != 1) throw py::value_error("a setting column must be one-dimensional");
    for (py::ssize_t i = 0; i < numbers.shape(0); ++i)
      texts.emplace_back(NumberText(numbers.at(i)));
  } else {
    for (py::handle value : py::reinterpret_borrow<py::iterable>(column)) {
      if (value.is_none()) {
        texts.emplace_back();
      } else {
        texts.emplace_back(ValueText(value));
      }
    }
  }
  return texts;
}

}  // namespace

std::size_t ParameterIndex(std::string_view name) {
  const std::optional<std::size_t> index = run::FindParameter(name);
  if (!index) throw py::value_error(UnknownName(name));
  return *index;
}

model::RunArguments ReadParameters(const py::dict& parameters) {
  for (const auto& [key, value] : parameters) ParameterIndex(py::str(key).cast<std::string>());
  model::RunArguments arguments = run::DefaultRunArguments();
  for (const run::ParameterRow& entry : run::ParameterTable()) {
    const py::str name(entry.name.data(), entry.name.size());
    if (!parameters.contains(name)) continue;
    const py::handle value = parameters[name];
    if (value.is_none()) continue;
    Refuse(run::ApplyArgument(entry, ValueText(value), arguments));
  }
  return arguments;
}

std::vector<model::RunArguments> ReadSettingColumns(const py::dict& columns, std::size_t count,
                                                    const model::RunArguments& base) {
  std::vector<model::RunArguments> settings(count, base);
  for (const auto& [key, column] : columns) {
    const std::string name = py::str(key);
    const run::ParameterRow& entry = run::ParameterTable()[ParameterIndex(name)];
    const std::vector<std::optional<std::string>> texts = ColumnTexts(column, count);
    if (texts.size() != count) {
      throw py::value_error("column " + name + " has " + std::to_string(texts.size()) +
                            " values for " + std::to_string(count) + " settings");
    }
    for (std::size_t i = 0; i < count; ++i) {
      if (!texts[i]) continue;
      double value = 0.0;
      const std::string reason = batch::CheckSettingText(entry, *texts[i], value);
      if (!reason.empty()) {
        throw py::value_error("setting " + std::to_string(i) + ": --" + name + ": " + reason);
      }
      run::SetParameterValue(entry, value, settings[i]);
    }
  }
  return settings;
}

std::int32_t ReadSeed(py::handle seed) {
  if (seed.is_none()) return model::ClockSeed();
  const run::ParsedInteger parsed = run::ParseInteger(ValueText(seed));
  if (!parsed.value) throw py::value_error("--seed: " + parsed.error);
  return *parsed.value;
}

std::uint64_t ReadReplicates(py::handle replicates) {
  std::uint64_t count = 1;
  Refuse(batch::ReadReplicates(ValueText(replicates), count));
  return count;
}

unsigned ReadJobs(py::handle jobs) {
  if (jobs.is_none()) return batch::DefaultJobs();
  unsigned count = 1;
  Refuse(batch::ReadJobs(ValueText(jobs), count));
  return count;
}

}  // namespace pymodule
