#pragma once

#include <span>
#include <string>

#include "batch/morris_design.h"
#include "batch/run_schedule.h"
#include "batch/sensitivity_analysis.h"
#include "batch/sensitivity_plan.h"
#include "batch/sobol_indices.h"

namespace batch {

enum class TableFormat { kCsv, kJson };

// One row per factor and, for Sobol, one for the draw ("seed"), after the
// command: as a "# " line and a header in CSV, as the "command" member of one
// JSON object. Indices and values print with their shortest round-trip text
// in CSV, with 9 significant digits (null when not a number) in JSON.
std::string SobolTable(const SensitivityPlan& plan, std::span<const SobolIndex> indices,
                       TableFormat format);
std::string MorrisTable(const SensitivityPlan& plan, std::span<const MorrisEffect> effects,
                        TableFormat format);

// The results of the design from each record's output.
std::string ResultTable(const SensitivityPlan& plan, const SensitivityDesign& design,
                        std::span<const double> records, TableFormat format);

// Every run of the design, CSV after the "# " command line: where it sits
// (matrix and base row, or trajectory and point), its replicate, every
// factor's value, its seed and its measure, each number in shortest
// round-trip text, so that `corvellan-run --seed <seed> --<factor> <value>
// ...` repeats it and the table recomputes the indices (a point's output is
// the mean of its replicates' measures). With a shard, its runs alone
// (measured counts within the shard), as --shard writes its part.
std::string DesignCsv(const SensitivityPlan& plan, const SensitivityDesign& design,
                      const MeasuredDesign& measured, Shard shard = {});

// The table's two first lines: the command and the header.
std::string DesignTableHead(const SensitivityPlan& plan, const SensitivityDesign& design);

// A run's line up to its measure: "<place>,<replicate>,<factors>,<seed>,".
void AppendDesignRunStart(std::string& text, const SensitivityDesign& design,
                          const model::RunArguments& arguments, std::uint64_t record,
                          std::uint64_t run);

}  // namespace batch
