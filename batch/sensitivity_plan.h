#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "batch/measures.h"
#include "batch/morris_design.h"
#include "batch/sensitivity_designs.h"

namespace batch {

enum class SensitivityMethod { kSobol, kMorris };

// Everything a sensitivity analysis of the model is asked to do.
struct SensitivityPlan {
  SensitivityMethod method = SensitivityMethod::kSobol;
  SensitivityContext context;
  SeriesMeasure measure;
  std::size_t baseRows = 1024;    // Sobol: N, the rows of A and of B
  std::uint64_t resamples = 200;  // Sobol: bootstrap resamples
  double level = 0.95;            // Sobol: share the intervals hold
  MorrisSettings morris;          // Morris: trajectories and levels
  bool everyTrackbar = true;      // the factors are all of TrackbarFactors
  std::vector<bool> narrowed;     // by factor: its range differs from the trackbar's
};

// "corvellan-run --seed S <options of the context that differ from the
// defaults> --sensitivity ... ": the command that repeats the analysis.
std::string SensitivityCommand(const SensitivityPlan& plan);

}  // namespace batch
