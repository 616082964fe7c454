#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "batch/summary_statistics.h"
#include "model/run_arguments.h"

namespace batch {

// Text of a batch: long CSV (one row per run and step), summary CSV (one row
// per grid point and step) or JSON Lines (one object per run or grid point).
// Every function appends to text; series values print with 9 significant
// digits like the single-run output, parameters with their shortest
// round-trip text.

// Where a run sits in the batch; its seed repeats it alone.
struct RunLabel {
  std::uint64_t run = 0;  // point * replicates + replicate, the same in every shard
  std::uint64_t point = 0;
  std::uint64_t replicate = 0;
  std::int32_t seed = 0;
};

struct PointLabel {
  std::uint64_t point = 0;
  std::uint64_t replicates = 0;
  std::int32_t baseSeed = 0;  // the replicates' seeds follow from it (seed_derivation.h)
};

// run,replicate,seed,<the 29 arguments>,step,<the five series>
void AppendRunCsvHeader(std::string& text);
// values laid out as in run_values.h.
void AppendRunCsv(std::string& text, const RunLabel& label, const model::RunArguments& arguments,
                  std::span<const float> values);
void AppendRunJson(std::string& text, const RunLabel& label, const model::RunArguments& arguments,
                   std::span<const float> values);

// What every line of a record starts with, the same whatever its values: a
// CSV row up to its step (each row then goes on with "<step>,"), a JSON line up
// to and including the step array of its series.
void AppendRunCsvRowOpening(std::string& text, const RunLabel& label,
                            const model::RunArguments& arguments);
void AppendRunJsonOpening(std::string& text, const RunLabel& label,
                          const model::RunArguments& arguments);
void AppendSummaryCsvRowOpening(std::string& text, const PointLabel& label,
                                const model::RunArguments& arguments);
void AppendSummaryJsonOpening(std::string& text, const PointLabel& label,
                              const model::RunArguments& arguments);

// point,replicates,baseSeed,<the 29 arguments>,step,<series>_mean,_sd,_q05,_q50,_q95 ...
void AppendSummaryCsvHeader(std::string& text);
// statistics indexed like the values of one run (SummariseRuns).
void AppendSummaryCsv(std::string& text, const PointLabel& label,
                      const model::RunArguments& arguments,
                      std::span<const SummaryStatistics> statistics);
void AppendSummaryJson(std::string& text, const PointLabel& label,
                       const model::RunArguments& arguments,
                       std::span<const SummaryStatistics> statistics);

}  // namespace batch
