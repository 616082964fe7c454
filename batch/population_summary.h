#pragma once

#include <cstddef>
#include <vector>

#include "batch/population_record.h"

namespace batch {

// Propensities are shown in bins of this width over [0, 1]; 1 falls in the last.
inline constexpr double kPropensityBinWidth = 0.05;
inline constexpr int kPropensityBinCount = 20;
// Bins of an attribute's histogram, between its smallest and largest value.
inline constexpr int kAttributeBinCount = 20;

// Equal bins from low to high; a value equal to high falls in the last bin.
// All values equal: one bin of width 0.
struct Histogram {
  double low = 0.0;
  double high = 0.0;
  std::vector<int> counts;

  int Largest() const;
};

// One attribute over the agents that carry it (every agent for I, T and E).
struct AttributeSummary {
  PopulationAttribute attribute = kAttributeR;
  std::vector<double> values;  // of the carriers, in agent order
  Histogram histogram;
  double median = 0.0;  // of the values; 0 when there are none
};

// The propensity bin of p in [0, 1]; p outside it or not a number gives -1.
int PropensityBin(double p);

// The distribution of one kind of propensity at every step. Propensities to
// sanction are not bounded: those below 0, above 1 and not numbers are counted
// apart from the bins.
struct HeatStrip {
  int steps = 0;
  std::vector<int> counts;  // kPropensityBinCount per step, step after step
  std::vector<int> below;   // per step
  std::vector<int> above;
  std::vector<int> notANumber;
  // The mean of the step's numbers in agent order; not-a-number where none is.
  std::vector<double> mean;

  int Count(int step, int bin) const {
    return counts[static_cast<std::size_t>(step * kPropensityBinCount + bin)];
  }
  int Largest() const;
  bool HasOutside() const;
};

// One step's propensities to volunteer, split by the step's decision.
struct StepSplit {
  std::vector<int> volunteers;     // kPropensityBinCount bins
  std::vector<int> nonVolunteers;  // kPropensityBinCount bins
  int Largest() const;
};

Histogram MakeHistogram(const std::vector<double>& values, int bins);
double MedianOf(std::vector<double> values);
AttributeSummary SummariseAttribute(const PopulationRecord& record, PopulationAttribute attribute);
HeatStrip PropensityStrip(const PopulationRecord& record);
// Empty (no steps) without sanctions.
HeatStrip SanctionStrip(const PopulationRecord& record);
StepSplit SplitStep(const PopulationRecord& record, int step);

}  // namespace batch
