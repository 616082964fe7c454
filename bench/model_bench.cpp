#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "model/dynamics_path.h"
#include "model/population_model.h"
#include "tests/support/math_call_recorder.h"
#include "tests/support/reference_dynamics.h"
#include "tests/support/sample_arguments.h"

namespace {

using model::CPopulationModel;
using model::RunArguments;

constexpr std::int32_t kBenchSeed = 42;

// Runs a benchmark once on each path of the dynamics this processor has: the
// argument is the path.
void OnEachPath(benchmark::internal::Benchmark* b) {
  b->ArgName("path");
  for (const model::DynamicsPath path : model::kDynamicsPaths) {
    if (model::PathAvailable(path)) b->Arg(static_cast<int>(path));
  }
}

// Makes the runs of the benchmark take its path, and names the path.
void TakePath(benchmark::State& state) {
  const auto path = static_cast<model::DynamicsPath>(state.range(0));
  model::SelectDynamicsPath(path);
  state.SetLabel(std::string(model::PathName(path)));
}

void RunModel(benchmark::State& state, const RunArguments& arguments) {
  CPopulationModel model;
  model.fixedSeed = kBenchSeed;
  for (auto _ : state) {
    model.Run(arguments);
    benchmark::DoNotOptimize(model.firstOrderRate[100]);
  }
}

// Makes every recorded call once, each function's calls in a loop of their own
// so that no dispatch on the function adds to the floor.
void ReplayCalls(const test_support::MathCallLists& lists) {
  for (const double x : lists.exps) benchmark::DoNotOptimize(std::exp(x));
  for (const double x : lists.logs) benchmark::DoNotOptimize(std::log(x));
  for (const double x : lists.sqrts) benchmark::DoNotOptimize(std::sqrt(x));
  for (std::size_t j = 0; j < lists.powBases.size(); ++j) {
    benchmark::DoNotOptimize(std::pow(lists.powBases[j], lists.powExponents[j]));
  }
}

// A run beside its floor: the exact exp, pow, log and sqrt calls the run makes,
// replayed with nothing else. The two are timed alternately, so that a busy
// machine slows both alike; the reported time is the run's, floor_ratio the
// run's time over the floor's.
void RunBesideFloor(benchmark::State& state, const RunArguments& arguments) {
  using Clock = std::chrono::steady_clock;
  TakePath(state);
  CPopulationModel model;
  model.fixedSeed = kBenchSeed;
  const test_support::MathCalls calls = test_support::RecordMathCalls(model, arguments);
  const test_support::MathCallLists lists = test_support::SplitByFunction(calls);
  Clock::duration runTime{};
  Clock::duration floorTime{};
  for (auto _ : state) {
    const auto start = Clock::now();
    model.Run(arguments);
    benchmark::DoNotOptimize(model.firstOrderRate[100]);
    const auto ran = Clock::now();
    ReplayCalls(lists);
    const auto replayed = Clock::now();
    runTime += ran - start;
    floorTime += replayed - ran;
    state.SetIterationTime(std::chrono::duration<double>(ran - start).count());
  }
  const double floorSeconds = std::chrono::duration<double>(floorTime).count();
  state.counters["floor_ratio"] = std::chrono::duration<double>(runTime).count() / floorSeconds;
  state.counters["floor_us"] =
      benchmark::Counter(floorSeconds * 1e6, benchmark::Counter::kAvgIterations);
  state.counters["calls"] = static_cast<double>(calls.size());
}

void BM_RunDefaults(benchmark::State& state) {
  RunBesideFloor(state, run::DefaultRunArguments());
}
BENCHMARK(BM_RunDefaults)->Apply(OnEachPath)->UseManualTime();

// All five attributes Normal, sanctions on, no correlation.
void BM_RunAllNormalSanctionsUncorrelated(benchmark::State& state) {
  RunBesideFloor(state, test_support::AllNormalUncorrelatedArguments());
}
BENCHMARK(BM_RunAllNormalSanctionsUncorrelated)->Apply(OnEachPath)->UseManualTime();

// All five attributes Normal, sanctions on, three correlations.
void BM_RunAllNormalSanctions(benchmark::State& state) {
  RunBesideFloor(state, test_support::AllNormalArguments());
}
BENCHMARK(BM_RunAllNormalSanctions)->Apply(OnEachPath)->UseManualTime();

// The exp and pow calls a straightforward implementation of a run makes, and
// nothing else: the floor under the cost of such an implementation.
void ReferenceTranscendentals(benchmark::State& state, const RunArguments& arguments) {
  CPopulationModel model;
  model.fixedSeed = kBenchSeed;
  model.Run(arguments);
  std::vector<model::reference::TranscendentalCall> calls;
  model::reference::ReplayDynamics(model, &calls);
  for (auto _ : state) {
    for (const auto& call : calls) {
      benchmark::DoNotOptimize(call.isPow ? std::pow(call.first, call.second)
                                          : std::exp(call.first));
    }
  }
  state.counters["calls"] = static_cast<double>(calls.size());
}

void BM_ReferenceTranscendentalsDefaults(benchmark::State& state) {
  ReferenceTranscendentals(state, run::DefaultRunArguments());
}
BENCHMARK(BM_ReferenceTranscendentalsDefaults);

void BM_ReferenceTranscendentalsAllNormalSanctions(benchmark::State& state) {
  ReferenceTranscendentals(state, test_support::AllNormalArguments());
}
BENCHMARK(BM_ReferenceTranscendentalsAllNormalSanctions);

// Run time against the number of agents, for the growth exponent.
void BM_RunAgents(benchmark::State& state) {
  // On the widest path this processor has.
  if (!model::SelectDynamicsPath(model::DynamicsPath::kQuads)) {
    model::SelectDynamicsPath(model::DynamicsPath::kPairs);
  }
  RunArguments arguments = test_support::AllNormalArguments();
  arguments.agentCount = static_cast<std::int32_t>(state.range(0));
  arguments.requestedCountR = arguments.requestedCountRPrime = arguments.agentCount;
  RunModel(state, arguments);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RunAgents)->RangeMultiplier(10)->Range(10, 100000)->Complexity();

}  // namespace

BENCHMARK_MAIN();
