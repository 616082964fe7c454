// A full refresh of the parameter response window: one parameter over its 101
// trackbar positions, 16 replicates at each, with 1 and with 2 jobs.
#include <benchmark/benchmark.h>

#include <atomic>

#include "batch/response_sweep.h"
#include "run_description/parameter_table.h"
#include "tests/support/sample_arguments.h"

namespace {

constexpr int kPositions = 101;
constexpr double kStep = 0.01;
constexpr std::uint64_t kReplicates = 16;
constexpr std::int32_t kSeed = 1234;

batch::ResponseRequest RequestOver(const model::RunArguments& arguments) {
  batch::ResponseRequest request;
  request.arguments = arguments;
  request.seed = kSeed;
  request.axis = {"J", *run::FindParameter("paramJ"), {}, 0};
  for (int p = 0; p < kPositions; ++p) request.axis.values.push_back(p * kStep);
  request.replicates = kReplicates;
  return request;
}

void Refresh(benchmark::State& state, const model::RunArguments& arguments) {
  const batch::ResponseRequest request = RequestOver(arguments);
  const std::atomic<bool> stop{false};
  const auto jobs = static_cast<unsigned>(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(batch::ComputeResponse(request, jobs, stop));
  }
}

void BM_ResponseRefreshDefaults(benchmark::State& state) {
  Refresh(state, run::DefaultRunArguments());
}
void BM_ResponseRefreshAllNormal(benchmark::State& state) {
  Refresh(state, test_support::AllNormalArguments());
}

BENCHMARK(BM_ResponseRefreshDefaults)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly();
BENCHMARK(BM_ResponseRefreshAllNormal)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly();

}  // namespace

BENCHMARK_MAIN();
