#include "batch/summary_statistics.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <functional>
#include <limits>
#include <system_error>
#include <thread>

#include "batch/run_values.h"

namespace batch {
namespace {

constexpr double kLowQuantile = 0.05;
constexpr double kMedian = 0.5;
constexpr double kHighQuantile = 0.95;
constexpr double kLerpSwitch = 0.5;
constexpr std::size_t kFewestForDeviation = 2;               // n - 1 must not be 0
constexpr std::size_t kColumnsPerTile = 64 / sizeof(float);  // a cache line of floats

// numpy's _lerp: exact at t = 1 and monotonic in t.
double Lerp(double a, double b, double t) {
  const double difference = b - a;
  return t >= kLerpSwitch ? b - difference * (1.0 - t) : a + difference * t;
}

double Mean(std::span<const double> values) {
  double sum = 0.0;
  for (const double v : values) sum += v;
  return sum / static_cast<double>(values.size());
}

// The sample standard deviation (n - 1) of count values whose squared
// deviations from their mean sum to squares.
double DeviationOfSquares(double squares, std::size_t count) {
  if (count < kFewestForDeviation) return 0.0;
  return std::sqrt(squares / static_cast<double>(count - 1));
}

// Two passes: the sum of squared deviations from the mean.
double SampleStandardDeviation(std::span<const double> values, double mean) {
  double squares = 0.0;
  for (const double v : values) squares += (v - mean) * (v - mean);
  return DeviationOfSquares(squares, values.size());
}

// The two order statistics a quantile interpolates between, and how far.
struct QuantilePosition {
  std::size_t lower;
  std::size_t upper;
  double fraction;
};

QuantilePosition PositionOf(std::size_t count, double p) {
  const double h = static_cast<double>(count - 1) * p;
  const double below = std::floor(h);
  const auto lower = static_cast<std::size_t>(below);
  return {lower, std::min(lower + 1, count - 1), h - below};
}

}  // namespace

// After nth_element nothing above the lower order statistic is smaller than
// it, so the upper one is the least of what lies above.
double SelectQuantile(std::span<double> values, double p, std::size_t& from) {
  const QuantilePosition at = PositionOf(values.size(), p);
  const auto lower = values.begin() + static_cast<std::ptrdiff_t>(at.lower);
  std::nth_element(values.begin() + static_cast<std::ptrdiff_t>(from), lower, values.end());
  const double upper = at.upper == at.lower ? *lower : *std::min_element(lower + 1, values.end());
  from = at.lower;
  return Lerp(*lower, upper, at.fraction);
}

namespace {

SummaryStatistics NotANumber() {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  return {nan, nan, nan, nan, nan};
}

void SelectQuantiles(std::span<double> values, SummaryStatistics& statistics) {
  std::size_t from = 0;
  statistics.q05 = SelectQuantile(values, kLowQuantile, from);
  statistics.q50 = SelectQuantile(values, kMedian, from);
  statistics.q95 = SelectQuantile(values, kHighQuantile, from);
}

}  // namespace

SummaryStatistics Summarise(std::span<double> values) {
  if (std::any_of(values.begin(), values.end(), [](double v) { return std::isnan(v); })) {
    return NotANumber();
  }
  SummaryStatistics statistics;
  statistics.mean = Mean(values);
  statistics.standardDeviation = SampleStandardDeviation(values, statistics.mean);
  SelectQuantiles(values, statistics);
  return statistics;
}

// The runs lie one after another, so one value's column is read with a stride
// of a whole run: column by column, every read would load a cache line of its
// own. A tile of a cache line's worth of neighbouring columns is gathered in
// one pass over the runs instead, each line loaded once. The tile's sums are
// made side by side: each column's sum still takes its runs in order, as
// Summarise does, but no column's addition waits on another's.
namespace {

using TileSums = std::array<double, kColumnsPerTile>;

void SummariseTile(std::span<const float> runs, std::size_t runCount, std::size_t first,
                   std::span<double> tile, std::span<SummaryStatistics> statistics) {
  const std::size_t width = std::min(kColumnsPerTile, kValuesPerRun - first);
  TileSums sums{};
  std::array<bool, kColumnsPerTile> nan{};
  for (std::size_t run = 0; run < runCount; ++run) {
    const float* values = runs.data() + run * kValuesPerRun + first;
    for (std::size_t c = 0; c < width; ++c) {
      const double v = values[c];
      tile[c * runCount + run] = v;
      sums[c] += v;
      nan[c] = nan[c] || std::isnan(v);
    }
  }
  TileSums means{};
  for (std::size_t c = 0; c < width; ++c) means[c] = sums[c] / static_cast<double>(runCount);
  TileSums squares{};
  for (std::size_t run = 0; run < runCount; ++run) {
    for (std::size_t c = 0; c < width; ++c) {
      const double v = tile[c * runCount + run];
      squares[c] += (v - means[c]) * (v - means[c]);
    }
  }
  for (std::size_t c = 0; c < width; ++c) {
    SummaryStatistics& column = statistics[first + c];
    if (nan[c]) {
      column = NotANumber();
      continue;
    }
    column.mean = means[c];
    column.standardDeviation = DeviationOfSquares(squares[c], runCount);
    SelectQuantiles(tile.subspan(c * runCount, runCount), column);
  }
}

// Takes tiles until none is left, so that a thread slowed by other work takes
// fewer; every tile is summarised the same way whoever takes it.
void SummariseTiles(std::span<const float> runs, std::size_t runCount,
                    std::atomic<std::size_t>& nextTile, std::span<SummaryStatistics> statistics) {
  std::vector<double> tile(kColumnsPerTile * runCount);
  for (std::size_t first = nextTile++ * kColumnsPerTile; first < kValuesPerRun;
       first = nextTile++ * kColumnsPerTile) {
    SummariseTile(runs, runCount, first, tile, statistics);
  }
}

}  // namespace

// A summary is made by the worker that finishes its grid point's last run,
// while the other workers may have nothing left to run: with many replicates
// it is worth sharing. Below kRunsWorthAThread a thread costs more than it
// saves.
std::vector<SummaryStatistics> SummariseRuns(std::span<const float> runs, std::size_t runCount,
                                             unsigned threads) {
  constexpr std::size_t kRunsWorthAThread = 256;
  std::vector<SummaryStatistics> statistics(kValuesPerRun);
  const std::size_t tiles = (kValuesPerRun + kColumnsPerTile - 1) / kColumnsPerTile;
  const std::size_t helpers =
      runCount >= kRunsWorthAThread ? std::clamp<std::size_t>(threads, 1, tiles) - 1 : 0;
  std::atomic<std::size_t> nextTile{0};
  std::vector<std::thread> started;
  for (std::size_t helper = 0; helper < helpers; ++helper) {
    try {
      started.emplace_back(SummariseTiles, runs, runCount, std::ref(nextTile),
                           std::span<SummaryStatistics>(statistics));
    } catch (const std::system_error&) {
      break;  // fewer helpers only take longer
    }
  }
  SummariseTiles(runs, runCount, nextTile, statistics);
  for (std::thread& thread : started) thread.join();
  return statistics;
}

}  // namespace batch
