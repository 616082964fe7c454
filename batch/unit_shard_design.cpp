#include "batch/unit_shard_design.h"

namespace batch {

std::uint64_t UnitShardDesign::RecordCount() const {
  const std::uint64_t units = whole_.RecordCount() / whole_.RecordsPerUnit();
  if (units <= shard_.index) return 0;
  const std::uint64_t unitsHere = (units - shard_.index - 1) / shard_.count + 1;
  return unitsHere * whole_.RecordsPerUnit();
}

std::uint64_t UnitShardDesign::WholeRecord(std::uint64_t record) const {
  const std::uint64_t perUnit = whole_.RecordsPerUnit();
  const std::uint64_t unit = (record / perUnit) * shard_.count + shard_.index;
  return unit * perUnit + record % perUnit;
}

}  // namespace batch
