#pragma once

#include <cstdint>

#include "batch/sweep_grid.h"
#include "model/run_arguments.h"

namespace batch {

// Part index of count interleaved parts of a grid; index counts from 0 here
// (the command line counts from 1).
struct Shard {
  std::uint64_t index = 0;
  std::uint64_t count = 1;
};

// How a schedule seeds its runs: each grid point with replicates of its own,
// or every grid point with the same replicates (seeded from the replicate alone).
enum class SeedScheme {
  kPerPoint,
  kSamePopulations,
};

// The runs one process makes: the grid points of its shard (g mod count ==
// index) in order, each with all its replicates. Local numbers count within
// the shard; run indices, point numbers and seeds are the whole sweep's, so
// shards agree with each other and with an unsharded run.
class RunSchedule {
 public:
  RunSchedule(const SweepGrid& grid, std::uint64_t replicates, Shard shard, std::int32_t baseSeed,
              SeedScheme seeds = SeedScheme::kPerPoint);

  std::uint64_t PointCount() const { return pointCount_; }
  std::uint64_t Replicates() const { return replicates_; }
  std::uint64_t RunCount() const { return pointCount_ * replicates_; }
  std::int32_t BaseSeed() const { return baseSeed_; }
  SeedScheme Seeds() const { return seeds_; }

  std::uint64_t GlobalPoint(std::uint64_t localPoint) const;
  std::uint64_t RunIndex(std::uint64_t localPoint, std::uint64_t replicate) const;
  std::int32_t Seed(std::uint64_t localPoint, std::uint64_t replicate) const;
  model::RunArguments Arguments(std::uint64_t localPoint) const;

 private:
  const SweepGrid& grid_;
  std::uint64_t replicates_;
  Shard shard_;
  std::int32_t baseSeed_;
  SeedScheme seeds_;
  std::uint64_t pointCount_;
};

}  // namespace batch
