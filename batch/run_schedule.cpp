#include "batch/run_schedule.h"

#include "batch/seed_derivation.h"

namespace batch {
namespace {

// Points g < total with g mod shard.count == shard.index.
std::uint64_t PointsInShard(std::uint64_t total, Shard shard) {
  return total > shard.index ? (total - shard.index - 1) / shard.count + 1 : 0;
}

}  // namespace

RunSchedule::RunSchedule(const SweepGrid& grid, std::uint64_t replicates, Shard shard,
                         std::int32_t baseSeed, SeedScheme seeds)
    : grid_(grid),
      replicates_(replicates),
      shard_(shard),
      baseSeed_(baseSeed),
      seeds_(seeds),
      pointCount_(PointsInShard(grid.PointCount(), shard)) {}

std::uint64_t RunSchedule::GlobalPoint(std::uint64_t localPoint) const {
  return shard_.index + localPoint * shard_.count;
}

std::uint64_t RunSchedule::RunIndex(std::uint64_t localPoint, std::uint64_t replicate) const {
  return GlobalPoint(localPoint) * replicates_ + replicate;
}

std::int32_t RunSchedule::Seed(std::uint64_t localPoint, std::uint64_t replicate) const {
  if (seeds_ == SeedScheme::kSamePopulations) return DeriveSharedRunSeed(baseSeed_, replicate);
  return DeriveRunSeed(baseSeed_, GlobalPoint(localPoint), replicate);
}

model::RunArguments RunSchedule::Arguments(std::uint64_t localPoint) const {
  return grid_.PointArguments(GlobalPoint(localPoint));
}

}  // namespace batch
