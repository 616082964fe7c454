#include "batch/schedule_design.h"

namespace batch {

std::uint64_t ScheduleDesign::RecordCount() const {
  return layout_ == SweepLayout::kSummary ? schedule_.PointCount() : schedule_.RunCount();
}

std::uint64_t ScheduleDesign::RunsPerRecord() const {
  return layout_ == SweepLayout::kSummary ? schedule_.Replicates() : 1;
}

std::uint64_t ScheduleDesign::LocalPoint(std::uint64_t record) const {
  return layout_ == SweepLayout::kSummary ? record : record / schedule_.Replicates();
}

std::uint64_t ScheduleDesign::Replicate(std::uint64_t record, std::uint64_t run) const {
  // In the runs layout a record is one run: run is always 0.
  return layout_ == SweepLayout::kSummary ? run : record % schedule_.Replicates();
}

model::RunArguments ScheduleDesign::Arguments(std::uint64_t record) const {
  return schedule_.Arguments(LocalPoint(record));
}

std::int32_t ScheduleDesign::Seed(std::uint64_t record, std::uint64_t run) const {
  return schedule_.Seed(LocalPoint(record), Replicate(record, run));
}

RunLabel ScheduleDesign::LabelOfRun(std::uint64_t record, std::uint64_t run) const {
  const std::uint64_t point = LocalPoint(record);
  const std::uint64_t replicate = Replicate(record, run);
  return {schedule_.RunIndex(point, replicate), schedule_.GlobalPoint(point), replicate,
          schedule_.Seed(point, replicate)};
}

PointLabel ScheduleDesign::LabelOfPoint(std::uint64_t record) const {
  return {schedule_.GlobalPoint(LocalPoint(record)), schedule_.Replicates(), schedule_.BaseSeed()};
}

}  // namespace batch
