#include "batch/population_summary.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace batch {
namespace {

int LargestOf(const std::vector<int>& counts) {
  return counts.empty() ? 0 : *std::max_element(counts.begin(), counts.end());
}

HeatStrip StripOf(const std::vector<double>& values, int agentCount) {
  HeatStrip strip;
  if (agentCount <= 0 || values.empty()) return strip;
  strip.steps = static_cast<int>(values.size() / static_cast<std::size_t>(agentCount));
  const auto steps = static_cast<std::size_t>(strip.steps);
  strip.counts.assign(steps * kPropensityBinCount, 0);
  strip.below.assign(steps, 0);
  strip.above.assign(steps, 0);
  strip.notANumber.assign(steps, 0);
  strip.mean.assign(steps, std::numeric_limits<double>::quiet_NaN());
  for (std::size_t k = 0; k < steps; ++k) {
    double sum = 0.0;
    int numbers = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(agentCount); ++i) {
      const double p = values[k * static_cast<std::size_t>(agentCount) + i];
      if (std::isnan(p)) {
        ++strip.notANumber[k];
        continue;
      }
      sum += p;
      ++numbers;
      const int bin = PropensityBin(p);
      if (bin >= 0) {
        ++strip.counts[k * kPropensityBinCount + static_cast<std::size_t>(bin)];
      } else if (p < 0.0) {
        ++strip.below[k];
      } else {
        ++strip.above[k];
      }
    }
    if (numbers > 0) strip.mean[k] = sum / numbers;
  }
  return strip;
}

}  // namespace

int Histogram::Largest() const {
  return LargestOf(counts);
}

int HeatStrip::Largest() const {
  return LargestOf(counts);
}

bool HeatStrip::HasOutside() const {
  const auto any = [](const std::vector<int>& v) {
    return std::any_of(v.begin(), v.end(), [](int n) { return n != 0; });
  };
  return any(below) || any(above) || any(notANumber);
}

int StepSplit::Largest() const {
  return std::max(LargestOf(volunteers), LargestOf(nonVolunteers));
}

int PropensityBin(double p) {
  if (!(p >= 0.0 && p <= 1.0)) return -1;
  // Times the bin count, exact, rather than over the width, which is not:
  // 0.15 / 0.05 falls just below 3.
  const int bin = static_cast<int>(p * kPropensityBinCount);
  return std::min(bin, kPropensityBinCount - 1);
}

Histogram MakeHistogram(const std::vector<double>& values, int bins) {
  Histogram h;
  if (values.empty() || bins <= 0) return h;
  const auto [low, high] = std::minmax_element(values.begin(), values.end());
  h.low = *low;
  h.high = *high;
  if (h.low == h.high) {
    h.counts.assign(1, static_cast<int>(values.size()));
    return h;
  }
  h.counts.assign(static_cast<std::size_t>(bins), 0);
  const double width = h.high - h.low;
  for (const double v : values) {
    const int bin = static_cast<int>((v - h.low) / width * bins);
    ++h.counts[static_cast<std::size_t>(std::clamp(bin, 0, bins - 1))];
  }
  return h;
}

double MedianOf(std::vector<double> values) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  if (values.size() % 2 == 1) return values[middle];
  return (values[middle - 1] + values[middle]) / 2.0;
}

AttributeSummary SummariseAttribute(const PopulationRecord& record, PopulationAttribute attribute) {
  AttributeSummary summary;
  summary.attribute = attribute;
  const auto& all = record.attributes[static_cast<std::size_t>(attribute)];
  for (int i = 0; i < record.agentCount; ++i) {
    if (record.Carries(attribute, i)) summary.values.push_back(all[static_cast<std::size_t>(i)]);
  }
  summary.histogram = MakeHistogram(summary.values, kAttributeBinCount);
  summary.median = MedianOf(summary.values);
  return summary;
}

HeatStrip PropensityStrip(const PopulationRecord& record) {
  return StripOf(record.propensity, record.agentCount);
}

HeatStrip SanctionStrip(const PopulationRecord& record) {
  return StripOf(record.sanctionPropensity, record.agentCount);
}

StepSplit SplitStep(const PopulationRecord& record, int step) {
  StepSplit split;
  split.volunteers.assign(kPropensityBinCount, 0);
  split.nonVolunteers.assign(kPropensityBinCount, 0);
  for (int i = 0; i < record.agentCount; ++i) {
    const std::size_t at = record.Index(step, i);
    const int bin = PropensityBin(record.propensity[at]);
    if (bin < 0) continue;
    auto& counts = record.volunteered[at] != 0 ? split.volunteers : split.nonVolunteers;
    ++counts[static_cast<std::size_t>(bin)];
  }
  return split;
}

}  // namespace batch
