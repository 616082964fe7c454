// Sensitivity analyses of the model on 2 jobs, every attribute Normal and
// sanctions on, the measure the late mean of the first-order rate:
//
//   BM_SobolAnalysis     N = 1,024 base rows over the 20 trackbar factors and
//                        the draw: 1,024 * 23 = 23,552 runs, with 200
//                        bootstrap resamples
//   BM_MorrisAnalysis    r = 20 trajectories: 20 * 21 = 420 runs
//   BM_AnalysisOverhead  the Sobol design's runs as a plain batch (a
//                        consumer that keeps nothing) and as the analysis,
//                        timed alternately; "overhead" is analysis / plain - 1
//
//   sensitivity_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
//
// Wall-clock times are real time; on a machine shared with other work the
// process's CPU time ("cpu_s") shows what the analysis itself costs.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <atomic>
#include <chrono>

#include "batch/sensitivity_analysis.h"
#include "model/result_series.h"
#include "tests/support/sample_arguments.h"

namespace {

constexpr unsigned kJobs = 2;
constexpr std::size_t kBaseRows = 1024;
constexpr std::size_t kOverheadBaseRows = 256;
constexpr std::size_t kTrajectories = 20;
constexpr int kLateFirst = 81;
constexpr int kLast = model::kStepCount - 1;
constexpr double kMicroseconds = 1e6;

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / kMicroseconds;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

batch::SensitivityContext Context() {
  batch::SensitivityContext context;
  context.arguments = test_support::AllNormalArguments();
  context.factors = batch::TrackbarFactors(context.arguments);
  context.seed = 1;
  return context;
}

const batch::SeriesMeasure kMeasure{model::kFirstOrderRate, kLateFirst, kLast};

batch::EngineSettings Engine() {
  batch::EngineSettings engine;
  engine.jobs = kJobs;
  return engine;
}

void BM_SobolAnalysis(benchmark::State& state) {
  const batch::SensitivityContext context = Context();
  const batch::SobolModelDesign design(context, kBaseRows);
  const std::atomic<bool> stop{false};
  const double cpuBefore = ProcessCpuSeconds();
  for (auto _ : state) {
    const batch::SobolAnalysis analysis =
        batch::AnalyseSobol(design, {kBaseRows, kMeasure}, Engine(), stop);
    benchmark::DoNotOptimize(analysis.indices.data());
  }
  state.counters["runs"] = static_cast<double>(design.RecordCount());
  state.counters["cpu_s"] =
      (ProcessCpuSeconds() - cpuBefore) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_SobolAnalysis)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_MorrisAnalysis(benchmark::State& state) {
  const batch::SensitivityContext context = Context();
  const batch::MorrisModelDesign design(context, {kTrajectories, 4, 0});
  const std::atomic<bool> stop{false};
  for (auto _ : state) {
    const batch::MorrisAnalysis analysis = batch::AnalyseMorris(design, kMeasure, Engine(), stop);
    benchmark::DoNotOptimize(analysis.effects.data());
  }
  state.counters["runs"] = static_cast<double>(design.RecordCount());
}
BENCHMARK(BM_MorrisAnalysis)->Unit(benchmark::kMillisecond)->UseRealTime();

// Takes the records and keeps nothing: the runs alone.
class PlainBatch : public batch::RecordConsumer {
 public:
  bool Consume(const batch::Record& record, std::size_t /*slot*/) override {
    benchmark::DoNotOptimize(record.values.data());
    return true;
  }
};

void BM_AnalysisOverhead(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  const batch::SensitivityContext context = Context();
  const batch::SobolModelDesign design(context, kOverheadBaseRows);
  const std::atomic<bool> stop{false};
  double plainSeconds = 0.0;
  double analysisSeconds = 0.0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    PlainBatch plain;
    benchmark::DoNotOptimize(batch::RunDesign(design, plain, Engine(), stop));
    const Clock::time_point middle = Clock::now();
    const batch::SobolAnalysis analysis =
        batch::AnalyseSobol(design, {kOverheadBaseRows, kMeasure}, Engine(), stop);
    benchmark::DoNotOptimize(analysis.indices.data());
    const Clock::time_point end = Clock::now();
    plainSeconds += std::chrono::duration<double>(middle - start).count();
    analysisSeconds += std::chrono::duration<double>(end - middle).count();
  }
  const auto n = static_cast<double>(state.iterations());
  state.counters["plain_ms"] = plainSeconds / n * 1e3;
  state.counters["analysis_ms"] = analysisSeconds / n * 1e3;
  state.counters["overhead"] = analysisSeconds / plainSeconds - 1.0;
}
BENCHMARK(BM_AnalysisOverhead)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
