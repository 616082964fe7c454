#pragma once

#include <cstdint>

#include "batch/run_schedule.h"
#include "batch/sensitivity_designs.h"

namespace batch {

// The units u of a sensitivity design with u mod shard.count == shard.index,
// each with all its records: what one shard of the analysis runs. Local
// record numbers count within the shard; seeds and settings are the whole
// design's.
class UnitShardDesign : public Design {
 public:
  UnitShardDesign(const SensitivityDesign& whole, Shard shard) : whole_(whole), shard_(shard) {}

  std::uint64_t RecordCount() const override;
  std::uint64_t RunsPerRecord() const override { return whole_.RunsPerRecord(); }
  model::RunArguments Arguments(std::uint64_t record) const override {
    return whole_.Arguments(WholeRecord(record));
  }
  std::int32_t Seed(std::uint64_t record, std::uint64_t run) const override {
    return whole_.Seed(WholeRecord(record), run);
  }

  std::uint64_t WholeRecord(std::uint64_t record) const;

 private:
  const SensitivityDesign& whole_;
  const Shard shard_;
};

}  // namespace batch
