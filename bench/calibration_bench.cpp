// A fit of two parameters to 101 observed points with a budget of 300,000
// runs, with 1 and with 2 jobs: the goal is under 60 s on two cores. A
// smaller budget of 30,000 shows the cost of the sampler itself beside the runs.
#include <benchmark/benchmark.h>

#include <atomic>
#include <vector>

#include "abc/abc_smc.h"
#include "abc/model_fit.h"
#include "batch/run_values.h"
#include "batch/seeded_run.h"
#include "run_description/parameter_table.h"

namespace {

constexpr std::int32_t kDataSeed = 5;
constexpr double kTrueJ = 0.3;
constexpr double kTrueT = 0.6;
constexpr std::size_t kParticles = 1000;

// The first-order rate of a run at the true settings, at every step.
std::vector<run::ObservedPoint> Observed(const model::RunArguments& base) {
  model::RunArguments truth = base;
  truth.paramJ = kTrueJ;
  truth.valueT = kTrueT;
  batch::SeededRunner runner;
  std::vector<float> values(batch::kValuesPerRun);
  runner.Run(truth, kDataSeed, values);
  std::vector<run::ObservedPoint> points;
  for (int k = 0; k < model::kStepCount; ++k) {
    points.push_back(
        {model::kFirstOrderRate, k, values[batch::ValueIndex(model::kFirstOrderRate, k)]});
  }
  return points;
}

void BM_FitTwoParameters(benchmark::State& state) {
  const model::RunArguments base = run::DefaultRunArguments();
  const std::vector<run::ObservedPoint> observed = Observed(base);
  std::vector<abc::FittedParameter> fitted;
  std::vector<abc::PriorRange> priors;
  for (const char* name : {"paramJ", "valueT"}) {
    const std::size_t index = *run::FindParameter(name);
    fitted.push_back({index, abc::TrackbarPrior(index, base)});
    priors.push_back(fitted.back().prior);
  }
  abc::FitSettings settings;
  settings.particles = kParticles;
  settings.budget = static_cast<std::uint64_t>(state.range(1));
  settings.minAcceptance = 0.0;  // the budget alone ends the fit
  settings.seed = 1;
  const std::atomic<bool> stop{false};
  std::uint64_t runs = 0;
  std::size_t populations = 0;
  for (auto _ : state) {
    abc::ModelSimulator simulator(base, fitted, observed, static_cast<unsigned>(state.range(0)),
                                  stop);
    const abc::FitResult result = abc::RunAbcSmc(priors, settings, simulator);
    runs += result.simulations;
    populations = result.populations.size();
  }
  state.counters["runs_per_s"] =
      benchmark::Counter(static_cast<double>(runs), benchmark::Counter::kIsRate);
  state.counters["populations"] = static_cast<double>(populations);
}

BENCHMARK(BM_FitTwoParameters)
    ->ArgNames({"jobs", "budget"})
    ->Args({2, 300000})
    ->Args({1, 300000})
    ->Args({2, 30000})
    ->Unit(benchmark::kSecond)
    ->MeasureProcessCPUTime()  // every thread's CPU time: what two idle cores would take
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

}  // namespace

BENCHMARK_MAIN();
