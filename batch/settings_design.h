#pragma once

#include <cstdint>
#include <vector>

#include "batch/design.h"
#include "batch/schedule_design.h"
#include "model/run_arguments.h"

namespace batch {

// Settings listed one by one rather than spanned by a grid (a table a caller
// made, the rows of a sampling plan), each with its replicates. Setting p
// replicate r is seeded as a sweep seeds grid point p replicate r, so listing
// a grid's points in order repeats that sweep run for run.
class SettingsDesign : public Design {
 public:
  SettingsDesign(std::vector<model::RunArguments> settings, std::uint64_t replicates,
                 std::int32_t baseSeed, SweepLayout layout);

  std::uint64_t RecordCount() const override;
  std::uint64_t RunsPerRecord() const override;
  model::RunArguments Arguments(std::uint64_t record) const override;
  std::int32_t Seed(std::uint64_t record, std::uint64_t run) const override;

  std::uint64_t SettingCount() const { return settings_.size(); }
  std::uint64_t Replicates() const { return replicates_; }
  std::int32_t BaseSeed() const { return baseSeed_; }
  // The setting a record belongs to and the replicate its run is.
  std::uint64_t SettingOf(std::uint64_t record) const;
  std::uint64_t ReplicateOf(std::uint64_t record, std::uint64_t run) const;

 private:
  std::vector<model::RunArguments> settings_;
  std::uint64_t replicates_;
  std::int32_t baseSeed_;
  SweepLayout layout_;
};

}  // namespace batch
