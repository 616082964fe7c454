#include "batch/response_sweep.h"

#include <memory>
#include <string_view>

#include "batch/batch_runner.h"
#include "batch/run_schedule.h"
#include "batch/run_values.h"
#include "batch/seeded_run.h"
#include "batch/summary_statistics.h"
#include "batch/sweep_grid.h"
#include "model/result_series.h"
#include "run_description/number_text.h"
#include "run_description/parameter_table.h"
#include "run_description/rerun_command.h"

namespace batch {
namespace {

constexpr int kLastStep = model::kStepCount - 1;

std::string SweepText(const ResponseRequest& request) {
  std::string text(run::ParameterTable()[request.axis.parameter].name);
  text += '=';
  for (std::size_t i = 0; i < request.axis.values.size(); ++i) {
    if (i > 0) text += ',';
    run::AppendRoundTrip(text, request.axis.values[i]);
  }
  return text;
}

// The swept parameter keeps its default in the base: the sweep sets it.
model::RunArguments BaseArguments(const ResponseRequest& request) {
  model::RunArguments base = request.arguments;
  const run::ParameterSpec& swept = run::ParameterTable()[request.axis.parameter];
  run::SetParameterValue(swept, swept.defaultValue, base);
  return base;
}

class ResponseWorker : public BatchWorker {
 public:
  ResponseWorker(const RunSchedule& schedule, const ResponseRequest& request,
                 std::vector<ResponsePoint>& points)
      : schedule_(schedule), request_(request), points_(points) {}

  void Run(std::uint64_t record, std::uint64_t part, std::span<float> values) override {
    runner_.Run(schedule_.Arguments(record), schedule_.Seed(record, part), values);
  }

  // Called in record order on the writer's side, so points_ grows in order.
  void Format(std::uint64_t record, std::span<const float> values, std::string&) override {
    std::vector<double> measures(schedule_.Replicates());
    for (std::size_t r = 0; r < measures.size(); ++r) {
      measures[r] = MeasureOfRun(values.subspan(r * kValuesPerRun, kValuesPerRun), request_.series,
                                 request_.measure);
    }
    const SummaryStatistics s = Summarise(measures);
    points_[record] = {
        request_.axis.values[record], s.q50, s.q05, s.q95, s.mean, s.standardDeviation,
        schedule_.Replicates()};
  }

 private:
  const RunSchedule& schedule_;
  const ResponseRequest& request_;
  std::vector<ResponsePoint>& points_;
  SeededRunner runner_;
};

}  // namespace

double MeasureOfRun(std::span<const float> values, int series, ResponseMeasure measure) {
  if (measure == ResponseMeasure::kFinalValue) return values[ValueIndex(series, kLastStep)];
  double sum = 0.0;
  for (int k = kLateFirstStep; k <= kLastStep; ++k) sum += values[ValueIndex(series, k)];
  return sum / (kLastStep - kLateFirstStep + 1);
}

std::string ResponseSweepCommand(const ResponseRequest& request) {
  return run::ShortRerunCommand(request.seed, BaseArguments(request)) + " --sweep " +
         SweepText(request) + " --replicates " + std::to_string(request.replicates);
}

std::optional<std::vector<ResponsePoint>> ComputeResponse(const ResponseRequest& request,
                                                          unsigned jobs,
                                                          const std::atomic<bool>& stop) {
  const std::vector<std::string> sweeps = {SweepText(request)};
  const BuiltGrid built = BuildSweepGrid(sweeps, BaseArguments(request),
                                         std::vector<bool>(run::ParameterTable().size(), false));
  if (!built.grid || request.replicates == 0) return std::nullopt;
  const RunSchedule schedule(*built.grid, request.replicates, Shard{}, request.seed);
  std::vector<ResponsePoint> points(schedule.PointCount());
  BatchShape shape;
  shape.recordCount = schedule.PointCount();
  shape.runsPerRecord = request.replicates;
  shape.valuesPerRun = kValuesPerRun;
  shape.jobs = jobs;
  BatchCallbacks callbacks;
  callbacks.makeWorker = [&] {
    return std::make_unique<ResponseWorker>(schedule, request, points);
  };
  callbacks.write = [](std::string_view) { return true; };
  if (RunOrderedBatch(shape, callbacks, stop).end != BatchEnd::kComplete) return std::nullopt;
  return points;
}

std::string ResponseCsv(const ResponseRequest& request, std::span<const ResponsePoint> points) {
  std::string csv = "# " + ResponseSweepCommand(request) + '\n';
  csv += std::string(run::ParameterTable()[request.axis.parameter].name) +
         ",median,q05,q95,mean,sd,replicates\n";
  for (const ResponsePoint& p : points) {
    for (const double v : {p.value, p.median, p.q05, p.q95, p.mean, p.sd}) {
      run::AppendRoundTrip(csv, v);
      csv += ',';
    }
    csv += std::to_string(p.replicates) + '\n';
  }
  return csv;
}

}  // namespace batch
