#pragma once

#include <memory>
#include <string>
#include <vector>

#include "batch/batch_runner.h"
#include "batch/run_schedule.h"
#include "run_description/series_writers.h"

namespace cli {

// How a batch lays its records out.
enum class BatchLayout {
  kRuns,     // one record per run
  kSummary,  // one record per grid point, over its replicates
};

// The worker of a sweep: owns its own model (a model is not safe to share
// between threads) and seeds every run with the run's derived seed. A
// summary may share its columns among up to `jobs` threads.
std::unique_ptr<batch::BatchWorker> MakeSweepWorker(const batch::RunSchedule& schedule,
                                                    BatchLayout layout, run::OutputFormat format,
                                                    unsigned jobs = 1);

// The shape of schedule's batch in layout; jobs is left at 1.
batch::BatchShape SweepShape(const batch::RunSchedule& schedule, BatchLayout layout);

// What each line of record starts with, the same whatever its values: one
// line per step for CSV (up to and including "<step>,"), one for JSON.
std::vector<std::string> RecordLineOpenings(const batch::RunSchedule& schedule, BatchLayout layout,
                                            run::OutputFormat format, std::uint64_t record);

// The header a CSV of layout starts with; JSON Lines have none.
void AppendBatchHeader(std::string& text, BatchLayout layout, run::OutputFormat format);

}  // namespace cli
