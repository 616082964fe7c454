#pragma once

#include <array>
#include <span>
#include <string_view>
#include <vector>

namespace batch {

// What a summary reports of the replicates of one grid point at one step.
struct SummaryStatistics {
  double mean = 0.0;
  double standardDeviation = 0.0;  // sample (n - 1); 0 for a single value
  double q05 = 0.0;
  double q50 = 0.0;
  double q95 = 0.0;
};

// The statistics as columns: name suffix and member, in output order.
struct SummaryColumn {
  std::string_view name;
  double SummaryStatistics::*member;
};
inline constexpr std::array<SummaryColumn, 5> kSummaryColumns = {{
    {"mean", &SummaryStatistics::mean},
    {"sd", &SummaryStatistics::standardDeviation},
    {"q05", &SummaryStatistics::q05},
    {"q50", &SummaryStatistics::q50},
    {"q95", &SummaryStatistics::q95},
}};

// Quantile p of values by linear interpolation between order statistics, as
// numpy.quantile does by default: with x the values sorted, h = (n - 1) p,
// then x[floor h] + (h - floor h) (x[floor h + 1] - x[floor h]), in numpy's
// rounding-safe form when the fraction is at least one half. Found by
// selection rather than a full sort. Reorders values from index from on,
// where every value below from must be no greater than any at or above it;
// from becomes the lower order statistic's index, so that ascending p can be
// asked one after the other. values must hold no not-a-number.
double SelectQuantile(std::span<double> values, double p, std::size_t& from);

// Reorders values in place. Any not-a-number makes every statistic
// not-a-number, as it does in numpy. values must not be empty.
SummaryStatistics Summarise(std::span<double> values);

// Statistics of every series at every step over runCount runs laid out one
// after the other as in run_values.h; the result is indexed like one run.
// Up to `threads` threads share the columns when the runs are many enough to
// be worth a thread; the result does not depend on their number.
std::vector<SummaryStatistics> SummariseRuns(std::span<const float> runs, std::size_t runCount,
                                             unsigned threads = 1);

}  // namespace batch
