// The population window's recording run against a plain run of the same
// setting. The two are timed alternately, so that a busy machine slows both
// alike; the reported time is the recording run's, ratio its time over the
// plain run's.
#include <benchmark/benchmark.h>

#include <chrono>

#include "batch/population_record.h"
#include "batch/population_summary.h"
#include "batch/seeded_run.h"
#include "model/run_arguments.h"
#include "tests/support/sample_arguments.h"

namespace {

constexpr std::int32_t kBenchSeed = 42;

void RecordBesidePlainRun(benchmark::State& state, const model::RunArguments& arguments) {
  using Clock = std::chrono::steady_clock;
  batch::SeededRunner runner;
  batch::PopulationRecorder recorder;
  Clock::duration plainTime{};
  Clock::duration recordTime{};
  for (auto _ : state) {
    const auto start = Clock::now();
    benchmark::DoNotOptimize(runner.Run(arguments, kBenchSeed)[0][100]);
    const auto ran = Clock::now();
    benchmark::DoNotOptimize(recorder.Record(arguments, kBenchSeed).propensity.back());
    const auto recorded = Clock::now();
    plainTime += ran - start;
    recordTime += recorded - ran;
    state.SetIterationTime(std::chrono::duration<double>(recorded - ran).count());
  }
  state.counters["ratio"] = std::chrono::duration<double>(recordTime).count() /
                            std::chrono::duration<double>(plainTime).count();
}

void BM_RecordDefaults(benchmark::State& state) {
  RecordBesidePlainRun(state, run::DefaultRunArguments());
}
BENCHMARK(BM_RecordDefaults)->UseManualTime();

void BM_RecordAllNormalSanctions(benchmark::State& state) {
  RecordBesidePlainRun(state, test_support::AllNormalArguments());
}
BENCHMARK(BM_RecordAllNormalSanctions)->UseManualTime();

// What the window computes from a record before it paints.
void BM_SummariseRecord(benchmark::State& state) {
  batch::PopulationRecorder recorder;
  const batch::PopulationRecord& record =
      recorder.Record(test_support::AllNormalArguments(), kBenchSeed);
  for (auto _ : state) {
    for (int a = 0; a < batch::kAttributeCount; ++a) {
      benchmark::DoNotOptimize(
          batch::SummariseAttribute(record, static_cast<batch::PopulationAttribute>(a)));
    }
    benchmark::DoNotOptimize(batch::PropensityStrip(record));
    benchmark::DoNotOptimize(batch::SanctionStrip(record));
  }
}
BENCHMARK(BM_SummariseRecord);

}  // namespace

BENCHMARK_MAIN();
