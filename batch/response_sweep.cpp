#include "batch/response_sweep.h"

#include "batch/measures.h"
#include "batch/record_engine.h"
#include "batch/run_schedule.h"
#include "batch/schedule_design.h"
#include "batch/summary_statistics.h"
#include "batch/sweep_grid.h"
#include "model/result_series.h"
#include "run_description/number_text.h"
#include "run_description/output_text.h"
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
  const run::ParameterRow& swept = run::ParameterTable()[request.axis.parameter];
  run::SetParameterValue(swept, swept.defaultValue, base);
  return base;
}

// The measure's statistics over each record's replicates, by axis value.
class ResponseCollector : public RecordConsumer {
 public:
  ResponseCollector(const ResponseRequest& request, std::vector<ResponsePoint>& points)
      : request_(request), points_(points) {}

  // Each record has its own point: the workers fill them side by side.
  void Digest(const Record& record, std::size_t /*slot*/) override {
    std::vector<double> measures(record.RunCount());
    for (std::size_t r = 0; r < measures.size(); ++r) {
      measures[r] = MeasureOfRun(record.Run(r), request_.series, request_.measure);
    }
    const SummaryStatistics s = Summarise(measures);
    points_[record.index] = {request_.axis.values[record.index],
                             s.q50,
                             s.q05,
                             s.q95,
                             s.mean,
                             s.standardDeviation,
                             record.RunCount()};
  }
  bool Consume(const Record& /*record*/, std::size_t /*slot*/) override { return true; }

 private:
  const ResponseRequest& request_;
  std::vector<ResponsePoint>& points_;
};

}  // namespace

double MeasureOfRun(std::span<const float> values, int series, ResponseMeasure measure) {
  if (measure == ResponseMeasure::kFinalValue) return ValueAtStep(values, series, kLastStep);
  return MeanOverSteps(values, series, kLateFirstStep, kLastStep);
}

std::string MeasureText(int series, ResponseMeasure measure) {
  std::string text = "series ";
  text += model::kSeriesNames[series];
  if (measure == ResponseMeasure::kFinalValue) {
    return text + ", value at step " + std::to_string(kLastStep);
  }
  return text + ", mean over steps " + std::to_string(kLateFirstStep) + " to " +
         std::to_string(kLastStep);
}

std::string ResponseSweepCommand(const ResponseRequest& request) {
  return run::ShortRerunCommand(request.seed, BaseArguments(request)) + " --sweep " +
         SweepText(request) + " --replicates " + std::to_string(request.replicates) +
         (request.samePopulations ? " --same-populations" : "");
}

std::optional<std::vector<ResponsePoint>> ComputeResponse(
    const ResponseRequest& request, unsigned jobs, const std::atomic<bool>& stop,
    const std::function<void(std::uint64_t runsDone)>& progress) {
  if (request.replicates == 0) return std::nullopt;
  const SweepGrid grid(BaseArguments(request),
                       {SweepAxis{request.axis.parameter, request.axis.values}});
  const RunSchedule schedule(
      grid, request.replicates, Shard{}, request.seed,
      request.samePopulations ? SeedScheme::kSamePopulations : SeedScheme::kPerPoint);
  const ScheduleDesign design(schedule, SweepLayout::kSummary);
  std::vector<ResponsePoint> points(schedule.PointCount());
  ResponseCollector collector(request, points);
  EngineSettings engine;
  engine.jobs = jobs;
  engine.progress = progress;
  if (RunDesign(design, collector, engine, stop).end != DesignEnd::kComplete) return std::nullopt;
  return points;
}

std::string ResponseCsv(const ResponseRequest& request, std::span<const ResponsePoint> points) {
  std::string csv = "# " + ResponseSweepCommand(request) + '\n';
  csv += "# " + MeasureText(request.series, request.measure) + '\n';
  csv += std::string(run::ParameterTable()[request.axis.parameter].name) +
         ",median,q05,q95,mean,sd,replicates\n";
  for (const ResponsePoint& p : points) {
    run::AppendRoundTrip(csv, p.value);
    for (const double v : {p.median, p.q05, p.q95, p.mean, p.sd}) {
      csv += ',';
      run::AppendSignificant(csv, v);
    }
    csv += ',';
    run::AppendInteger(csv, p.replicates);
    csv += '\n';
  }
  return csv;
}

}  // namespace batch
