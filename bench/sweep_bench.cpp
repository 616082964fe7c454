// Throughput of batch mode: 10,000 runs with every attribute Normal and
// sanctions on, written as long CSV to a stream that discards it, with 1 and 2
// jobs. Compare the medians of the two for the speed-up.
//
//   sweep_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
//
// Peak memory does not grow with the number of runs, since runs are streamed
// through a bounded window; compare the maximum resident size of
//
//   /usr/bin/time -v corvellan-run --seed 1 --distR 1 --distI 1 --distT 1 --distE 1
//     --distRPrime 1 --valueI 0.6 --sigmaI 0.15 --sanctionsOn 1 --corrRRPrime 0.3
//     --corrRI 0.5 --corrET -0.4 --jobs 2 --replicates 10000 > /dev/null
//
// (one command line)
//
// with the same command at --replicates 100000 ("Maximum resident set size").
//
// BM_SummarySweepSpeedup is the scaling of a 3,000-replicate summary sweep
// within the process; the same sweep as commands, start-up included:
//
//   hyperfine -N -L jobs 1,2
//     'corvellan-run --seed 11 --replicates 3000 --summary --jobs {jobs}'

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "cli/runner.h"
#include "run_description/number_text.h"
#include "run_description/parameter_table.h"
#include "tests/support/sample_arguments.h"

namespace {

constexpr int kRuns = 10000;
constexpr int kRepetitions = 5;
constexpr double kMicroseconds = 1e6;
constexpr double kMegabytes = 1e6;

// CPU time of every thread of the process so far. On a machine shared with
// other work the wall-clock ratio of 1 to 2 jobs is noisy; equal CPU time per
// run with 1 and 2 jobs shows that the batch itself adds no serial work.
double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / kMicroseconds;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Counts what it is given and keeps none of it.
class DiscardingBuffer : public std::streambuf {
 public:
  std::streamsize written = 0;

 protected:
  std::streamsize xsputn(const char*, std::streamsize count) override {
    written += count;
    return count;
  }
  int_type overflow(int_type c) override {
    ++written;
    return traits_type::not_eof(c);
  }
};

// The all-Normal arguments with sanctions on, as plain options.
std::vector<std::string> AllNormalOptions() {
  const model::RunArguments arguments = test_support::AllNormalArguments();
  std::vector<std::string> args;
  for (const run::ParameterRow& entry : run::ParameterTable()) {
    args.push_back("--" + std::string(entry.name));
    args.push_back(run::FormatRoundTrip(run::ParameterValue(entry, arguments)));
  }
  return args;
}

void BM_SweepRuns(benchmark::State& state) {
  std::vector<std::string> args = AllNormalOptions();
  args.insert(args.end(), {"--seed", "1", "--replicates", std::to_string(kRuns), "--jobs",
                           std::to_string(state.range(0))});
  DiscardingBuffer buffer;
  std::ostream out(&buffer);
  std::ostringstream err;
  const double cpuBefore = ProcessCpuSeconds();
  for (auto _ : state) {
    if (cli::RunCommandLine(args, out, err) != cli::kExitSuccess) {
      state.SkipWithError(err.str().c_str());
      return;
    }
  }
  const double runs = static_cast<double>(state.iterations()) * kRuns;
  state.SetItemsProcessed(state.iterations() * kRuns);
  state.counters["MB_written"] = static_cast<double>(buffer.written) / kMegabytes;
  state.counters["cpu_us_per_run"] = (ProcessCpuSeconds() - cpuBefore) / runs * kMicroseconds;
}
BENCHMARK(BM_SweepRuns)
    ->ArgName("jobs")
    ->Arg(1)
    ->Arg(2)
    ->Iterations(1)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// A summary sweep of kSummaryReplicates replicates at the defaults, with 1 and
// then 2 jobs in each iteration, so that a busy machine slows both alike. The
// reported time is the 2-job one; speedup is the 1-job time over it.
void BM_SummarySweepSpeedup(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  constexpr int kSummaryReplicates = 3000;
  const auto command = [](int jobs) {
    return std::vector<std::string>{
        "--seed",    "11",     "--replicates",      std::to_string(kSummaryReplicates),
        "--summary", "--jobs", std::to_string(jobs)};
  };
  const std::vector<std::string> oneJob = command(1);
  const std::vector<std::string> twoJobs = command(2);
  DiscardingBuffer buffer;
  std::ostream out(&buffer);
  std::ostringstream err;
  Clock::duration oneJobTime{};
  Clock::duration twoJobsTime{};
  for (auto _ : state) {
    const auto start = Clock::now();
    const int oneJobExit = cli::RunCommandLine(oneJob, out, err);
    const auto middle = Clock::now();
    const int twoJobsExit = cli::RunCommandLine(twoJobs, out, err);
    const auto end = Clock::now();
    if (oneJobExit != cli::kExitSuccess || twoJobsExit != cli::kExitSuccess) {
      state.SkipWithError(err.str().c_str());
      return;
    }
    oneJobTime += middle - start;
    twoJobsTime += end - middle;
    state.SetIterationTime(std::chrono::duration<double>(end - middle).count());
  }
  const auto perIteration = [&](Clock::duration total) {
    return benchmark::Counter(std::chrono::duration<double, std::milli>(total).count(),
                              benchmark::Counter::kAvgIterations);
  };
  state.counters["one_job_ms"] = perIteration(oneJobTime);
  state.counters["two_jobs_ms"] = perIteration(twoJobsTime);
  state.counters["speedup"] = std::chrono::duration<double>(oneJobTime).count() /
                              std::chrono::duration<double>(twoJobsTime).count();
}
BENCHMARK(BM_SummarySweepSpeedup)
    ->Iterations(3)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
