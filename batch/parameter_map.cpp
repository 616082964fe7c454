#include "batch/parameter_map.h"

#include <algorithm>

#include "batch/map_refinement.h"
#include "batch/record_engine.h"
#include "batch/run_schedule.h"
#include "batch/summary_statistics.h"
#include "batch/sweep_grid.h"
#include "run_description/number_text.h"
#include "run_description/output_text.h"
#include "run_description/parameter_table.h"
#include "run_description/rerun_command.h"

namespace batch {
namespace {

// A level's grid over the request's base: its x values, then its y values.
SweepGrid LevelGrid(const MapRequest& request, const model::RunArguments& base,
                    const RefinementLevel& level) {
  const auto valuesAt = [](const ResponseAxis& axis, const std::vector<std::size_t>& positions) {
    std::vector<double> values;
    values.reserve(positions.size());
    for (const std::size_t p : positions) values.push_back(axis.values[p]);
    return values;
  };
  return SweepGrid(base, {SweepAxis{request.x.parameter, valuesAt(request.x, level.x)},
                          SweepAxis{request.y.parameter, valuesAt(request.y, level.y)}});
}

// Both swept parameters keep their defaults in the base: the sweeps set them.
model::RunArguments BaseArguments(const MapRequest& request) {
  model::RunArguments base = request.arguments;
  for (const std::size_t p : {request.x.parameter, request.y.parameter}) {
    const run::ParameterRow& swept = run::ParameterTable()[p];
    run::SetParameterValue(swept, swept.defaultValue, base);
  }
  return base;
}

SeedScheme SchemeOf(const MapRequest& request) {
  return request.samePopulations ? SeedScheme::kSamePopulations : SeedScheme::kPerPoint;
}

// The grid points of a level that still need their runs, as a design.
class MapLevelDesign : public Design {
 public:
  MapLevelDesign(const RunSchedule& schedule, std::vector<std::uint64_t> points)
      : schedule_(schedule), points_(std::move(points)) {}

  std::uint64_t RecordCount() const override { return points_.size(); }
  std::uint64_t RunsPerRecord() const override { return schedule_.Replicates(); }
  model::RunArguments Arguments(std::uint64_t record) const override {
    return schedule_.Arguments(points_[record]);
  }
  std::int32_t Seed(std::uint64_t record, std::uint64_t run) const override {
    return schedule_.Seed(points_[record], run);
  }
  std::uint64_t Point(std::uint64_t record) const { return points_[record]; }

 private:
  const RunSchedule& schedule_;
  std::vector<std::uint64_t> points_;
};

MapCell CellOf(std::vector<double>& measures, double threshold) {
  const auto above = std::count_if(measures.begin(), measures.end(),
                                   [threshold](double m) { return m > threshold; });
  const double share = static_cast<double>(above) / static_cast<double>(measures.size());
  const SummaryStatistics s = Summarise(measures);
  return {s.q50, s.q05, s.q95, share};
}

// Each record's cell, computed on the worker that finished it.
class MapCollector : public RecordConsumer {
 public:
  MapCollector(const MapRequest& request, const MapLevelDesign& design, std::vector<MapCell>& cells)
      : request_(request), design_(design), cells_(cells) {}

  void Digest(const Record& record, std::size_t /*slot*/) override {
    std::vector<double> measures(record.RunCount());
    for (std::size_t r = 0; r < measures.size(); ++r) {
      measures[r] = MeasureOfRun(record.Run(r), request_.series, request_.measure);
    }
    cells_[design_.Point(record.index)] = CellOf(measures, request_.threshold);
  }
  bool Consume(const Record& /*record*/, std::size_t /*slot*/) override { return true; }

 private:
  const MapRequest& request_;
  const MapLevelDesign& design_;
  std::vector<MapCell>& cells_;
};

// Cells already computed, by x and y position; kept across levels only when
// every cell runs the same populations whatever grid it sits in.
class CellStore {
 public:
  CellStore(std::size_t xCount, std::size_t yCount)
      : yCount_(yCount), cells_(xCount * yCount), known_(xCount * yCount, false) {}
  const MapCell* Find(std::size_t x, std::size_t y) const {
    return known_[x * yCount_ + y] ? &cells_[x * yCount_ + y] : nullptr;
  }
  void Keep(std::size_t x, std::size_t y, const MapCell& cell) {
    cells_[x * yCount_ + y] = cell;
    known_[x * yCount_ + y] = true;
  }

 private:
  std::size_t yCount_;
  std::vector<MapCell> cells_;
  std::vector<bool> known_;
};

std::optional<MapLevel> ComputeLevel(const MapRequest& request, const model::RunArguments& base,
                                     const RefinementLevel& positions, CellStore* store,
                                     unsigned jobs, const std::atomic<bool>& stop) {
  const SweepGrid grid = LevelGrid(request, base, positions);
  const RunSchedule schedule(grid, request.replicates, Shard{}, request.seed, SchemeOf(request));
  const std::size_t yCount = positions.y.size();
  MapLevel level{positions.x, positions.y, std::vector<MapCell>(grid.PointCount()), false};
  std::vector<std::uint64_t> missing;
  for (std::uint64_t g = 0; g < grid.PointCount(); ++g) {
    const MapCell* known =
        store ? store->Find(positions.x[g / yCount], positions.y[g % yCount]) : nullptr;
    if (known) {
      level.cells[g] = *known;
    } else {
      missing.push_back(g);
    }
  }
  const MapLevelDesign design(schedule, std::move(missing));
  MapCollector collector(request, design, level.cells);
  EngineSettings engine;
  engine.jobs = jobs;
  if (RunDesign(design, collector, engine, stop).end != DesignEnd::kComplete) return std::nullopt;
  if (store) {
    for (std::uint64_t g = 0; g < grid.PointCount(); ++g) {
      store->Keep(positions.x[g / yCount], positions.y[g % yCount], level.cells[g]);
    }
  }
  return level;
}

std::string SweepText(const ResponseAxis& axis, const std::vector<std::size_t>& positions) {
  std::string text(run::ParameterTable()[axis.parameter].name);
  text += '=';
  for (std::size_t i = 0; i < positions.size(); ++i) {
    if (i > 0) text += ',';
    run::AppendRoundTrip(text, axis.values[positions[i]]);
  }
  return text;
}

const char* StatisticName(MapStatistic statistic) {
  switch (statistic) {
    case MapStatistic::kMedian:
      return "median";
    case MapStatistic::kWidth:
      return "q95 - q05";
    case MapStatistic::kShareAbove:
      return "share above threshold";
  }
  return "";
}

}  // namespace

double StatisticOfCell(const MapCell& cell, MapStatistic statistic) {
  switch (statistic) {
    case MapStatistic::kMedian:
      return cell.median;
    case MapStatistic::kWidth:
      return cell.q95 - cell.q05;
    case MapStatistic::kShareAbove:
      return cell.shareAbove;
  }
  return cell.median;
}

bool SameMapRuns(const MapRequest& a, const MapRequest& b) {
  const auto sameAxis = [](const ResponseAxis& p, const ResponseAxis& q) {
    return p.parameter == q.parameter && p.values == q.values;
  };
  return sameAxis(a.x, b.x) && sameAxis(a.y, b.y) && BaseArguments(a) == BaseArguments(b) &&
         a.seed == b.seed && a.series == b.series && a.measure == b.measure &&
         a.threshold == b.threshold && a.replicates == b.replicates &&
         a.samePopulations == b.samePopulations;
}

std::optional<MapLevel> ComputeMap(const MapRequest& request, unsigned jobs,
                                   const std::atomic<bool>& stop, const MapLevelDelivery& deliver) {
  if (request.replicates == 0 || request.x.parameter == request.y.parameter ||
      request.x.values.empty() || request.y.values.empty()) {
    return std::nullopt;
  }
  const model::RunArguments base = BaseArguments(request);
  std::optional<CellStore> store;
  if (request.samePopulations) store.emplace(request.x.values.size(), request.y.values.size());
  const std::vector<RefinementLevel> levels =
      RefinementLevels(request.x.values.size(), request.y.values.size());
  std::optional<MapLevel> level;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    level = ComputeLevel(request, base, levels[i], store ? &*store : nullptr, jobs, stop);
    if (!level) return std::nullopt;
    level->finest = i + 1 == levels.size();
    if (deliver) deliver(*level);
  }
  return level;
}

std::string MapSweepCommand(const MapRequest& request, const MapLevel& level) {
  return run::ShortRerunCommand(request.seed, BaseArguments(request)) + " --sweep " +
         SweepText(request.x, level.xPositions) + " --sweep " +
         SweepText(request.y, level.yPositions) + " --replicates " +
         std::to_string(request.replicates) +
         (request.samePopulations ? " --same-populations" : "");
}

std::string MapCsv(const MapRequest& request, const MapLevel& level) {
  std::string csv = "# " + MapSweepCommand(request, level) + '\n';
  csv += "# " + MeasureText(request.series, request.measure) +
         "; shown: " + StatisticName(request.statistic) + "; threshold ";
  run::AppendRoundTrip(csv, request.threshold);
  csv += '\n';
  csv += std::string(run::ParameterTable()[request.x.parameter].name) + ',' +
         std::string(run::ParameterTable()[request.y.parameter].name) +
         ",median,q05,q95,width,shareAbove,replicates\n";
  for (std::size_t i = 0; i < level.xPositions.size(); ++i) {
    for (std::size_t j = 0; j < level.yPositions.size(); ++j) {
      const MapCell& cell = level.At(i, j);
      run::AppendRoundTrip(csv, request.x.values[level.xPositions[i]]);
      csv += ',';
      run::AppendRoundTrip(csv, request.y.values[level.yPositions[j]]);
      for (const double v :
           {cell.median, cell.q05, cell.q95, cell.q95 - cell.q05, cell.shareAbove}) {
        csv += ',';
        run::AppendSignificant(csv, v);
      }
      csv += ',';
      run::AppendInteger(csv, request.replicates);
      csv += '\n';
    }
  }
  return csv;
}

}  // namespace batch
