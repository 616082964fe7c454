// The two-parameter map: its first picture after a change, and whole maps of
// 51 x 51 and 101 x 101 trackbar positions, 8 populations per cell, 2 jobs.
#include <benchmark/benchmark.h>

#include <atomic>

#include "batch/parameter_map.h"
#include "run_description/parameter_table.h"
#include "tests/support/sample_arguments.h"

namespace {

constexpr std::uint64_t kReplicates = 8;
constexpr std::int32_t kSeed = 1234;
constexpr unsigned kJobs = 2;

std::vector<double> Positions(int count) {
  std::vector<double> values;
  for (int p = 0; p < count; ++p) values.push_back(static_cast<double>(p) / (count - 1));
  return values;
}

// J against T over count positions each, every attribute Normal, sanctions on.
batch::MapRequest MapOver(int count) {
  batch::MapRequest request;
  request.arguments = test_support::AllNormalArguments();
  request.seed = kSeed;
  request.x = {"J", *run::FindParameter("paramJ"), Positions(count), 0};
  request.y = {"T", *run::FindParameter("valueT"), Positions(count), 0};
  request.replicates = kReplicates;
  return request;
}

// Until the coarsest level of a 101 x 101 map is whole: what the window shows first.
void BM_MapFirstPicture(benchmark::State& state) {
  const batch::MapRequest request = MapOver(101);
  for (auto _ : state) {
    std::atomic<bool> stop{false};
    benchmark::DoNotOptimize(
        batch::ComputeMap(request, kJobs, stop, [&](const batch::MapLevel&) { stop = true; }));
  }
}

void BM_MapWhole(benchmark::State& state) {
  const batch::MapRequest request = MapOver(static_cast<int>(state.range(0)));
  const std::atomic<bool> stop{false};
  for (auto _ : state) {
    benchmark::DoNotOptimize(batch::ComputeMap(request, kJobs, stop, {}));
  }
}

BENCHMARK(BM_MapFirstPicture)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly();
BENCHMARK(BM_MapWhole)
    ->Arg(51)
    ->Arg(101)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

}  // namespace
BENCHMARK_MAIN();
