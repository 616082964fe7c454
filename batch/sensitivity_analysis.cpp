#include "batch/sensitivity_analysis.h"

#include "batch/sensitivity_seeds.h"

namespace batch {
namespace {

// Measures each record's runs as soon as they are finished, into room of
// its own in the result, so that the order of finishing changes nothing.
class MeasureCollector : public RecordConsumer {
 public:
  MeasureCollector(const SeriesMeasure& measure, std::uint64_t records, std::uint64_t runs,
                   MeasuredDesign& measured)
      : measure_(measure), measured_(measured) {
    measured_.runs.assign(records * runs, 0.0);
    measured_.records.assign(records, 0.0);
  }

  void Digest(const Record& record, std::size_t /*slot*/) override {
    const std::uint64_t runs = record.RunCount();
    double sum = 0.0;
    for (std::uint64_t run = 0; run < runs; ++run) {
      const double value = measure_.Of(record.Run(run));
      measured_.runs[record.index * runs + run] = value;
      sum += value;
    }
    measured_.records[record.index] = sum / static_cast<double>(runs);
  }

  bool Consume(const Record& /*record*/, std::size_t /*slot*/) override { return true; }

 private:
  const SeriesMeasure& measure_;
  MeasuredDesign& measured_;
};

}  // namespace

DesignOutcome MeasureDesign(const Design& design, const SeriesMeasure& measure,
                            const EngineSettings& engine, const std::atomic<bool>& stop,
                            MeasuredDesign& measured) {
  MeasureCollector collector(measure, design.RecordCount(), design.RunsPerRecord(), measured);
  return RunDesign(design, collector, engine, stop);
}

std::vector<SobolIndex> SobolIndicesOf(const SobolModelDesign& design,
                                       std::span<const double> records, std::uint64_t resamples,
                                       double level) {
  const SaltelliOutputs outputs{design.Points().Columns(), records};
  const BootstrapSettings bootstrap{
      resamples, level, DeriveStreamSeed(design.Context().seed, SeedStream::kBootstrap)};
  return EstimateSobolIndices(outputs, bootstrap);
}

SobolAnalysis AnalyseSobol(const SobolModelDesign& design, const SobolRequest& request,
                           const EngineSettings& engine, const std::atomic<bool>& stop) {
  SobolAnalysis analysis;
  analysis.outcome = MeasureDesign(design, request.measure, engine, stop, analysis.measured);
  if (analysis.outcome.end != DesignEnd::kComplete) return analysis;
  analysis.indices =
      SobolIndicesOf(design, analysis.measured.records, request.resamples, request.level);
  return analysis;
}

MorrisAnalysis AnalyseMorris(const MorrisModelDesign& design, const SeriesMeasure& measure,
                             const EngineSettings& engine, const std::atomic<bool>& stop) {
  MorrisAnalysis analysis;
  analysis.outcome = MeasureDesign(design, measure, engine, stop, analysis.measured);
  if (analysis.outcome.end != DesignEnd::kComplete) return analysis;
  analysis.effects = EstimateMorrisEffects(design.Trajectories(), analysis.measured.records);
  return analysis;
}

}  // namespace batch
