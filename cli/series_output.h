#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <string>

#include "model/result_series.h"
#include "model/run_arguments.h"

namespace cli {

enum class OutputFormat { kCsv, kJson };

// Everything needed to write one run and to repeat it.
struct RunRecord {
  std::int32_t seed;
  model::RunArguments arguments;
  std::array<const float*, model::kSeriesCount> series;
};

// The command line that repeats the run: "corvellan-run --seed S --paramJ ...".
std::string RerunCommand(const RunRecord& record);

// A "# <rerun command>" line, the header and one row per step; values print
// with 9 significant digits, enough to read back the same single-precision number.
void WriteCsv(std::ostream& out, const RunRecord& record);

// One JSON object: seed, parameters and one array per series.
void WriteJson(std::ostream& out, const RunRecord& record);

}  // namespace cli
