#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

#include "batch/summary_statistics.h"
#include "model/run_arguments.h"

namespace batch {

// K populations of one setting, seeded as `corvellan-run --seed baseSeed
// --replicates K` seeds the replicates of its only grid point.
struct ReplicateRequest {
  model::RunArguments arguments;
  std::int32_t baseSeed = 0;
  std::uint64_t replicates = 1;
  unsigned jobs = 1;
};

// The statistics of every series at every step over the replicates, indexed
// as one run (run_values.h), the numbers `--summary` writes; nullopt when stop
// was raised first or a run failed its checks.
std::optional<std::vector<SummaryStatistics>> SummariseReplicates(const ReplicateRequest& request,
                                                                  const std::atomic<bool>& stop);

}  // namespace batch
