#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "batch/run_schedule.h"
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
  // For an output that cannot be taken back (standard output, a device, a
  // FIFO): every part is read whole and checked before the first byte is
  // written, then read again and copied. Each part must then be seekable.
  bool checkBeforeWriting = false;
  batch::SeedScheme seeds = batch::SeedScheme::kPerPoint;
};

// What became of a join.
struct JoinResult {
  std::string fault;          // the first fault of a part, one line naming it; empty if none
  bool outputFailed = false;  // a write to out failed and the join stopped there
  int outputError = 0;        // the errno that write left (0 where it left none)
};

// Writes to out what one process running the whole batch writes, taking each
// grid point's lines from the part that holds it, and flushes out. Every line
// is checked on the way: the parts must come from this very command (labels,
// seeds, parameters), hold each of their records whole and in order, each
// value as this command writes one, and nothing else. No line is read past
// the length that this command's line at its place can have, so a part of any
// size (or an endless device) costs no more memory than one such line. The
// soft limit of open files is raised as far as the hard limit allows so that
// every part can be open at once. After a fault or a failed write, out holds
// an unfinished join (nothing, with checkBeforeWriting, when a part is at
// fault) and must be discarded. The parts are only read.
JoinResult JoinParts(const JoinRequest& request, std::ostream& out);

}  // namespace cli
