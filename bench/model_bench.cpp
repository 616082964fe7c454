#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "model/population_model.h"
#include "tests/support/reference_dynamics.h"
#include "tests/support/sample_arguments.h"

namespace {

using model::CPopulationModel;
using model::RunArguments;

constexpr std::int32_t kBenchSeed = 42;

void RunModel(benchmark::State& state, const RunArguments& arguments) {
  CPopulationModel model;
  model.fixedSeed = kBenchSeed;
  for (auto _ : state) {
    model.Run(arguments);
    benchmark::DoNotOptimize(model.firstOrderRate[100]);
  }
}

void BM_RunDefaults(benchmark::State& state) {
  RunModel(state, run::DefaultRunArguments());
}
BENCHMARK(BM_RunDefaults);

void BM_RunAllNormalSanctions(benchmark::State& state) {
  RunModel(state, test_support::AllNormalArguments());
}
BENCHMARK(BM_RunAllNormalSanctions);

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
  RunArguments arguments = test_support::AllNormalArguments();
  arguments.agentCount = static_cast<std::int32_t>(state.range(0));
  arguments.requestedCountR = arguments.requestedCountRPrime = arguments.agentCount;
  RunModel(state, arguments);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RunAgents)->RangeMultiplier(10)->Range(10, 100000)->Complexity();

}  // namespace

BENCHMARK_MAIN();
