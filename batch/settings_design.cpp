#include "batch/settings_design.h"

#include <utility>

#include "batch/seed_derivation.h"

namespace batch {

SettingsDesign::SettingsDesign(std::vector<model::RunArguments> settings, std::uint64_t replicates,
                               std::int32_t baseSeed, SweepLayout layout)
    : settings_(std::move(settings)),
      replicates_(replicates),
      baseSeed_(baseSeed),
      layout_(layout) {}

std::uint64_t SettingsDesign::RecordCount() const {
  return layout_ == SweepLayout::kSummary ? settings_.size() : settings_.size() * replicates_;
}

std::uint64_t SettingsDesign::RunsPerRecord() const {
  return layout_ == SweepLayout::kSummary ? replicates_ : 1;
}

std::uint64_t SettingsDesign::SettingOf(std::uint64_t record) const {
  return layout_ == SweepLayout::kSummary ? record : record / replicates_;
}

std::uint64_t SettingsDesign::ReplicateOf(std::uint64_t record, std::uint64_t run) const {
  // In the runs layout a record is one run: run is always 0.
  return layout_ == SweepLayout::kSummary ? run : record % replicates_;
}

model::RunArguments SettingsDesign::Arguments(std::uint64_t record) const {
  return settings_[SettingOf(record)];
}

std::int32_t SettingsDesign::Seed(std::uint64_t record, std::uint64_t run) const {
  return DeriveRunSeed(baseSeed_, SettingOf(record), ReplicateOf(record, run));
}

}  // namespace batch
