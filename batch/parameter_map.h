#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "batch/response_sweep.h"
#include "model/run_arguments.h"

namespace batch {

// What a map's cell shows of the measures of its replicates.
enum class MapStatistic {
  kMedian,
  kWidth,       // the 95 % quantile less the 5 % quantile
  kShareAbove,  // the share of replicates whose measure exceeds the threshold
};

// A measure of one series over every pair of positions of two parameters.
struct MapRequest {
  model::RunArguments arguments;  // every other parameter
  std::int32_t seed = 0;          // base seed of the replicates
  ResponseAxis x;
  ResponseAxis y;
  int series = 0;  // model::SeriesIndex
  ResponseMeasure measure = ResponseMeasure::kFinalValue;
  MapStatistic statistic = MapStatistic::kMedian;
  double threshold = 0.5;
  std::uint64_t replicates = 8;
  // Every cell runs the same populations (`--same-populations`); only then do
  // the cells of a coarse level stand unchanged in the finer ones.
  bool samePopulations = true;
};

// The measure over the replicates of one cell.
struct MapCell {
  double median = 0.0;
  double q05 = 0.0;
  double q95 = 0.0;
  double shareAbove = 0.0;
};

double StatisticOfCell(const MapCell& cell, MapStatistic statistic);

// One whole level of the map: the positions of each axis it holds (indices
// into the axis's values, ascending) and a cell for each pair, numbered as
// the runner numbers the grid of `--sweep X --sweep Y`: x slowest.
struct MapLevel {
  std::vector<std::size_t> xPositions;
  std::vector<std::size_t> yPositions;
  std::vector<MapCell> cells;
  bool finest = false;  // every position of both axes

  const MapCell& At(std::size_t xIndex, std::size_t yIndex) const {
    return cells[xIndex * yPositions.size() + yIndex];
  }
};

// Whether two requests make the same runs and cells: they may differ only in
// where the main window stands on the two axes (their current positions and
// the swept parameters' own values) and in the statistic shown.
bool SameMapRuns(const MapRequest& a, const MapRequest& b);

using MapLevelDelivery = std::function<void(const MapLevel&)>;

// Computes the levels coarse to fine (map_refinement.h), each seeded as its
// own command seeds it, and hands each to deliver as soon as it is whole.
// Returns the finest level; nullopt when stop was raised first, a run failed,
// or the request is not a map (no replicates, one parameter on both axes).
std::optional<MapLevel> ComputeMap(const MapRequest& request, unsigned jobs,
                                   const std::atomic<bool>& stop, const MapLevelDelivery& deliver);

// `corvellan-run --seed S <options that differ from the defaults> --sweep
// X=... --sweep Y=... --replicates K [--same-populations]`: the values of the
// level's positions, so that the runs of its grid point g replicate r are
// those of its cell.
std::string MapSweepCommand(const MapRequest& request, const MapLevel& level);

// The command as a "# " line, a "# " line naming series, measure and
// threshold, a header and one row per cell in the command's point order; the
// statistics in 9 significant digits, as the runner writes its numbers.
std::string MapCsv(const MapRequest& request, const MapLevel& level);

}  // namespace batch
