#pragma once

#include <cstdint>

#include "model/run_arguments.h"

namespace batch {

// What an analysis runs, in order: a list of records, each one setting run
// with one or more seeds (a grid point with its replicates, or one run). A
// record's place in the design decides when consumers see it, so nothing that
// reaches them depends on the number of threads.
class Design {
 public:
  virtual ~Design() = default;

  virtual std::uint64_t RecordCount() const = 0;
  virtual std::uint64_t RunsPerRecord() const = 0;
  // The settings all runs of record share.
  virtual model::RunArguments Arguments(std::uint64_t record) const = 0;
  virtual std::int32_t Seed(std::uint64_t record, std::uint64_t run) const = 0;
};

}  // namespace batch
