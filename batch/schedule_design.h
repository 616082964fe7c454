#pragma once

#include <cstdint>

#include "batch/batch_output.h"
#include "batch/design.h"
#include "batch/run_schedule.h"

namespace batch {

// How a sweep's runs make records.
enum class SweepLayout {
  kRuns,     // one record per run
  kSummary,  // one record per grid point, its replicates in order
};

// A sweep's schedule as a design: its grid points in order, each with all its
// replicates, seeded as the schedule seeds them.
class ScheduleDesign : public Design {
 public:
  ScheduleDesign(const RunSchedule& schedule, SweepLayout layout)
      : schedule_(schedule), layout_(layout) {}

  std::uint64_t RecordCount() const override;
  std::uint64_t RunsPerRecord() const override;
  model::RunArguments Arguments(std::uint64_t record) const override;
  std::int32_t Seed(std::uint64_t record, std::uint64_t run) const override;

  const RunSchedule& Schedule() const { return schedule_; }
  SweepLayout Layout() const { return layout_; }
  // Where run of record sits in the whole sweep; for a summary, where record does.
  RunLabel LabelOfRun(std::uint64_t record, std::uint64_t run) const;
  PointLabel LabelOfPoint(std::uint64_t record) const;

 private:
  // A record's grid point within the shard, and the replicate of its run.
  std::uint64_t LocalPoint(std::uint64_t record) const;
  std::uint64_t Replicate(std::uint64_t record, std::uint64_t run) const;

  const RunSchedule& schedule_;
  const SweepLayout layout_;
};

}  // namespace batch
