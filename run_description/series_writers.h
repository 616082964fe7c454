#pragma once

#include <cstdint>
#include <ostream>

#include "model/result_series.h"
#include "model/run_arguments.h"

namespace run {

enum class OutputFormat {
  kCsv,
  kJson,
  kJsonLines,  // a single run's table, one flat object per step
};

// Everything needed to write one run and to repeat it.
struct RunRecord {
  std::int32_t seed;
  model::RunArguments arguments;
  model::SeriesPointers series;
};

// A "# <re-run command>" line, the header and one row per step; values print
// with 9 significant digits, enough to read back the same single-precision number.
void WriteCsv(std::ostream& out, const RunRecord& record);

// One JSON object: seed, re-run command, parameters and one array per series.
void WriteJson(std::ostream& out, const RunRecord& record);

// JSON Lines that read as a table: one object per step with the seed, every
// parameter, the step and the five series, so each row repeats the run alone.
void WriteJsonLines(std::ostream& out, const RunRecord& record);

}  // namespace run
