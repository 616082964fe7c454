#pragma once

#include <cstdint>
#include <span>

#include "batch/design.h"
#include "batch/run_values.h"

namespace batch {

// One finished record as numbers: its place in the design, its runs' five
// series one run after the other (run_values.h), and, through the design,
// its settings and seeds. Valid only during the consumer call it is passed to.
struct Record {
  const Design* design = nullptr;
  std::uint64_t index = 0;
  std::span<const float> values;

  std::uint64_t RunCount() const { return values.size() / kValuesPerRun; }
  std::span<const float> Run(std::uint64_t run) const {
    return values.subspan(run * kValuesPerRun, kValuesPerRun);
  }
  model::RunArguments Arguments() const { return design->Arguments(index); }
  std::int32_t Seed(std::uint64_t run) const { return design->Seed(index, run); }
};

}  // namespace batch
