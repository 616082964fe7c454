#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "batch/sweep_grid.h"
#include "cli/sweep_layout.h"
#include "run_description/series_writers.h"

namespace cli {

// A batch whose shards were run apart, and the files they wrote.
struct JoinRequest {
  const batch::SweepGrid& grid;
  std::uint64_t replicates = 1;
  std::int32_t baseSeed = 0;
  BatchLayout layout = BatchLayout::kRuns;
  run::OutputFormat format = run::OutputFormat::kCsv;
  std::vector<std::string> parts;  // part I is what --shard I/N wrote, N = parts.size()
};

// Writes to out what one process running the whole batch writes, taking each
// grid point's lines from the part that holds it. Every line is checked on the
// way: the parts must come from this very command (labels, seeds, parameters),
// hold each of their records whole and in order, and nothing else. Returns an
// empty string, or the first fault as one line naming the part; out then holds
// an unfinished join and must be discarded. The parts are only read.
std::string JoinParts(const JoinRequest& request, std::ostream& out);

}  // namespace cli
