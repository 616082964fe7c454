#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "batch/measures.h"
#include "batch/morris_design.h"
#include "batch/record_engine.h"
#include "batch/sensitivity_designs.h"
#include "batch/sobol_indices.h"

namespace batch {

// Every run's measure, run by run in design order (record, then replicate),
// and each record's mean over its replicates.
struct MeasuredDesign {
  std::vector<double> runs;
  std::vector<double> records;
};

// Runs design on the engine and measures every run; the outcome says whether
// it finished.
DesignOutcome MeasureDesign(const Design& design, const SeriesMeasure& measure,
                            const EngineSettings& engine, const std::atomic<bool>& stop,
                            MeasuredDesign& measured);

struct SobolRequest {
  std::size_t baseRows = 1024;
  SeriesMeasure measure;
  std::uint64_t resamples = 200;
  double level = 0.95;
};

struct SobolAnalysis {
  DesignOutcome outcome;
  MeasuredDesign measured;
  // One per factor, then the draw's.
  std::vector<SobolIndex> indices;
};

// Sobol indices from each record's output, one per factor and then the
// draw's; the bootstrap takes its seed from the context's base seed
// (sensitivity_seeds.h).
std::vector<SobolIndex> SobolIndicesOf(const SobolModelDesign& design,
                                       std::span<const double> records, std::uint64_t resamples,
                                       double level);

// Sobol indices of the measure over the context's factors and the draw.
SobolAnalysis AnalyseSobol(const SobolModelDesign& design, const SobolRequest& request,
                           const EngineSettings& engine, const std::atomic<bool>& stop);

struct MorrisAnalysis {
  DesignOutcome outcome;
  MeasuredDesign measured;
  std::vector<MorrisEffect> effects;  // one per factor
};

MorrisAnalysis AnalyseMorris(const MorrisModelDesign& design, const SeriesMeasure& measure,
                             const EngineSettings& engine, const std::atomic<bool>& stop);

}  // namespace batch
