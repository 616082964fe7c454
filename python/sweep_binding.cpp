#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "batch/response_sweep.h"
#include "batch/run_values.h"
#include "batch/setting_check.h"
#include "batch/settings_design.h"
#include "batch/summary_statistics.h"
#include "model/result_series.h"
#include "python/bindings.h"
#include "python/design_call.h"
#include "python/measure_text.h"
#include "python/settings_reader.h"
#include "python/value_text.h"
#include "run_description/parameter_table.h"

namespace py = pybind11;

namespace pymodule {
namespace {

constexpr std::size_t kStatisticsCount = batch::kSummaryColumns.size();

// Every setting's parameters as a settings-by-parameters table of doubles.
py::array_t<double> SettingTable(const std::vector<model::RunArguments>& settings) {
  const auto table = run::ParameterTable();
  py::array_t<double> values({settings.size(), table.size()});
  double* out = values.mutable_data();
  for (const model::RunArguments& setting : settings) {
    for (const run::ParameterRow& entry : table) *out++ = run::ParameterValue(entry, setting);
  }
  return values;
}

// Each run's values into its place of one array; the workers fill it side by side.
class RunsCopier : public batch::RecordConsumer {
 public:
  explicit RunsCopier(float* out) : out_(out) {}
  void Digest(const batch::Record& record, std::size_t /*slot*/) override {
    std::copy(record.values.begin(), record.values.end(),
              out_ + record.index * batch::kValuesPerRun);
  }
  bool Consume(const batch::Record& /*record*/, std::size_t /*slot*/) override { return true; }

 private:
  float* out_;
};

// Each setting's statistics over its replicates, as the runner's --summary.
class SummaryCollector : public batch::RecordConsumer {
 public:
  explicit SummaryCollector(double* out) : out_(out) {}
  void Digest(const batch::Record& record, std::size_t /*slot*/) override {
    const std::vector<batch::SummaryStatistics> statistics =
        batch::SummariseRuns(record.values, record.RunCount());
    double* out = out_ + record.index * batch::kValuesPerRun * kStatisticsCount;
    for (const batch::SummaryStatistics& cell : statistics) {
      for (const batch::SummaryColumn& column : batch::kSummaryColumns)
        *out++ = cell.*column.member;
    }
  }
  bool Consume(const batch::Record& /*record*/, std::size_t /*slot*/) override { return true; }

 private:
  double* out_;
};

// Each setting's measure, averaged over its replicates in their order.
class MeasureAverager : public batch::RecordConsumer {
 public:
  MeasureAverager(const MeasureChoice& measure, double* out) : measure_(measure), out_(out) {}
  void Digest(const batch::Record& record, std::size_t /*slot*/) override {
    double sum = 0.0;
    for (std::uint64_t r = 0; r < record.RunCount(); ++r) sum += measure_.Of(record.Run(r));
    out_[record.index] = sum / static_cast<double>(record.RunCount());
  }
  bool Consume(const batch::Record& /*record*/, std::size_t /*slot*/) override { return true; }

 private:
  const MeasureChoice measure_;
  double* out_;
};

struct BatchRequest {
  std::vector<model::RunArguments> settings;
  std::uint64_t replicates;
  std::int32_t seed;
  unsigned jobs;
};

BatchRequest ReadBatch(const py::dict& columns, std::size_t count, const py::dict& base,
                       py::handle replicates, py::handle seed, py::handle jobs) {
  BatchRequest request;
  request.settings = ReadSettingColumns(columns, count, ReadParameters(base));
  request.replicates = ReadReplicates(replicates);
  request.seed = ReadSeed(seed);
  request.jobs = ReadJobs(jobs);
  return request;
}

py::dict Runs(const py::dict& columns, std::size_t count, const py::dict& base,
              py::handle replicates, py::handle seed, py::handle jobs) {
  const BatchRequest request = ReadBatch(columns, count, base, replicates, seed, jobs);
  const batch::SettingsDesign design(request.settings, request.replicates, request.seed,
                                     batch::SweepLayout::kRuns);
  const std::size_t runs = design.RecordCount();
  py::array_t<float> values({runs, static_cast<std::size_t>(model::kSeriesCount),
                             static_cast<std::size_t>(model::kStepCount)});
  py::array_t<std::int32_t> seeds(runs);
  for (std::size_t r = 0; r < runs; ++r) seeds.mutable_at(r) = design.Seed(r, 0);
  RunsCopier copier(values.mutable_data());
  RunDesignReleased(design, copier, request.jobs);
  py::dict result;
  result["settings"] = SettingTable(request.settings);
  result["seeds"] = std::move(seeds);
  result["values"] = std::move(values);
  result["replicates"] = request.replicates;
  result["seed"] = request.seed;
  return result;
}

py::dict Summary(const py::dict& columns, std::size_t count, const py::dict& base,
                 py::handle replicates, py::handle seed, py::handle jobs) {
  const BatchRequest request = ReadBatch(columns, count, base, replicates, seed, jobs);
  const batch::SettingsDesign design(request.settings, request.replicates, request.seed,
                                     batch::SweepLayout::kSummary);
  py::array_t<double> statistics({request.settings.size(),
                                  static_cast<std::size_t>(model::kSeriesCount),
                                  static_cast<std::size_t>(model::kStepCount), kStatisticsCount});
  SummaryCollector collector(statistics.mutable_data());
  RunDesignReleased(design, collector, request.jobs);
  py::dict result;
  result["settings"] = SettingTable(request.settings);
  result["statistics"] = std::move(statistics);
  result["replicates"] = request.replicates;
  result["seed"] = request.seed;
  return result;
}

// f(X): row i of X sets the named parameters of setting i; every call is
// seeded alike, so the same X gives the same y.
class ModelFunction {
 public:
  ModelFunction(std::vector<std::string> names, const std::string& measure, py::handle seed,
                py::handle replicates, py::handle jobs, const py::dict& base)
      : names_(std::move(names)),
        measureText_(measure),
        measure_(ReadMeasure(measure)),
        base_(ReadParameters(base)),
        seed_(ReadSeed(seed)),
        replicates_(ReadReplicates(replicates)),
        jobs_(ReadJobs(jobs)) {
    for (const std::string& name : names_) ParameterIndex(name);
  }

  py::array_t<double> operator()(const py::object& x) const {
    auto matrix = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(x);
    if (!matrix) throw py::value_error("X must be a matrix of numbers");
    if (matrix.ndim() == 1 && names_.size() == 1) matrix = matrix.reshape({matrix.shape(0), 1L});
    if (matrix.ndim() != 2 || static_cast<std::size_t>(matrix.shape(1)) != names_.size()) {
      throw py::value_error("X must have one column per name: " + std::to_string(names_.size()));
    }
    py::dict columns;
    const py::object numpyColumns = matrix.attr("T");
    for (std::size_t j = 0; j < names_.size(); ++j)
      columns[py::str(names_[j])] = numpyColumns[py::int_(j)];
    const std::size_t count = static_cast<std::size_t>(matrix.shape(0));
    const batch::SettingsDesign design(ReadSettingColumns(columns, count, base_), replicates_,
                                       seed_, batch::SweepLayout::kSummary);
    py::array_t<double> y(count);
    MeasureAverager averager(measure_, y.mutable_data());
    RunDesignReleased(design, averager, jobs_);
    return y;
  }

  const std::vector<std::string>& Names() const { return names_; }
  const std::string& Measure() const { return measureText_; }
  std::int32_t Seed() const { return seed_; }
  std::uint64_t Replicates() const { return replicates_; }

 private:
  std::vector<std::string> names_;
  std::string measureText_;
  MeasureChoice measure_;
  model::RunArguments base_;
  std::int32_t seed_;
  std::uint64_t replicates_;
  unsigned jobs_;
};

batch::ResponseMeasure ReadResponseMeasure(const std::string& text) {
  if (text == "final") return batch::ResponseMeasure::kFinalValue;
  if (text == "late_mean") return batch::ResponseMeasure::kLateMean;
  throw py::value_error("measure " + text + ": expected \"final\" or \"late_mean\"");
}

int SeriesIndex(const std::string& name) {
  for (int s = 0; s < model::kSeriesCount; ++s) {
    if (name == model::kSeriesNames[s]) return s;
  }
  throw py::value_error("no series \"" + name + "\"");
}

py::dict Response(const std::string& name, const py::iterable& values, const py::dict& base,
                  const std::string& series, const std::string& measure, py::handle replicates,
                  py::handle seed, py::handle jobs) {
  batch::ResponseRequest request;
  request.arguments = ReadParameters(base);
  request.axis.label = name;
  request.axis.parameter = ParameterIndex(name);
  const run::ParameterRow& entry = run::ParameterTable()[request.axis.parameter];
  for (py::handle value : values) {
    double checked = 0.0;
    const std::string text = ValueText(value);
    if (std::string reason = batch::CheckSettingText(entry, text, checked); !reason.empty())
      throw py::value_error("--" + name + ": " + reason);
    request.axis.values.push_back(checked);
  }
  if (request.axis.values.empty()) throw py::value_error("values: give at least one value");
  request.series = SeriesIndex(series);
  request.measure = ReadResponseMeasure(measure);
  request.replicates = ReadReplicates(replicates);
  request.seed = ReadSeed(seed);
  const unsigned threads = ReadJobs(jobs);
  std::vector<batch::ResponsePoint> points;
  RunStoppableReleased(
      [&](const std::atomic<bool>& stop) {
        auto computed = batch::ComputeResponse(request, threads, stop);
        if (computed) points = std::move(*computed);
        return computed.has_value();
      },
      "the response sweep failed: a run failed its checks");
  const std::size_t n = points.size();
  py::array_t<double> value(n), median(n), q05(n), q95(n), mean(n), sd(n);
  py::array_t<std::uint64_t> counts(n);
  for (std::size_t i = 0; i < n; ++i) {
    value.mutable_at(i) = points[i].value;
    median.mutable_at(i) = points[i].median;
    q05.mutable_at(i) = points[i].q05;
    q95.mutable_at(i) = points[i].q95;
    mean.mutable_at(i) = points[i].mean;
    sd.mutable_at(i) = points[i].sd;
    counts.mutable_at(i) = points[i].replicates;
  }
  py::dict result;
  result[py::str(name)] = value;
  result["median"] = median;
  result["q05"] = q05;
  result["q95"] = q95;
  result["mean"] = mean;
  result["sd"] = sd;
  result["replicates"] = counts;
  result["command"] = batch::ResponseSweepCommand(request);
  result["seed"] = request.seed;
  return result;
}

}  // namespace

void BindSweeps(py::module_& module) {
  module.def("runs", &Runs, py::arg("columns"), py::arg("count"), py::arg("base"),
             py::arg("replicates"), py::arg("seed"), py::arg("jobs"),
             "Every run of count settings: settings table, seeds and values (runs, series, "
             "steps).");
  module.def("summary", &Summary, py::arg("columns"), py::arg("count"), py::arg("base"),
             py::arg("replicates"), py::arg("seed"), py::arg("jobs"),
             "Each setting's statistics over its replicates: (settings, series, steps, "
             "statistics).");
  module.def("response", &Response, py::arg("name"), py::arg("values"), py::arg("base"),
             py::arg("series"), py::arg("measure"), py::arg("replicates"), py::arg("seed"),
             py::arg("jobs"), "The response sweep's points and its corvellan-run command.");
  py::class_<ModelFunction>(module, "ModelFunction",
                            "f(X) -> y over an n x d matrix of settings; see "
                            "corvellan.model_function.")
      .def(py::init<std::vector<std::string>, const std::string&, py::handle, py::handle,
                    py::handle, const py::dict&>(),
           py::arg("names"), py::arg("measure"), py::arg("seed"), py::arg("replicates"),
           py::arg("jobs"), py::arg("base"))
      .def("__call__", &ModelFunction::operator(), py::arg("X"),
           "y[i]: the measure of setting X[i], averaged over the replicates (float64).")
      .def_property_readonly("names", &ModelFunction::Names)
      .def_property_readonly("measure", &ModelFunction::Measure)
      .def_property_readonly("seed", &ModelFunction::Seed)
      .def_property_readonly("replicates", &ModelFunction::Replicates);
}

}  // namespace pymodule
