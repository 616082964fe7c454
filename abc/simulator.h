#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace abc {

// Proposals to run, one run each: their parameters and their runs' seeds.
struct ProposalBatch {
  std::size_t dimension = 0;
  std::vector<double> values;  // proposal i's parameters from i * dimension
  std::vector<std::int32_t> seeds;

  std::size_t Count() const { return seeds.size(); }
  std::span<const double> Parameters(std::size_t i) const {
    return std::span<const double>(values).subspan(i * dimension, dimension);
  }
};

struct SimulationOutcome {
  enum class End { kDone, kStopped, kFailed };
  End end = End::kDone;
  std::string failure;  // what failed, for kFailed
};

// What a fit compares with the observations: any model, simulated once per
// proposal with the proposal's seed.
class Simulator {
 public:
  virtual ~Simulator() = default;
  // Fills distances, in the batch's order, with each run's distance to the
  // observations: a finite number, or infinity for a run that cannot be
  // compared. The distances must depend on the parameters and seeds alone.
  virtual SimulationOutcome Simulate(const ProposalBatch& batch,
                                     std::vector<double>& distances) = 0;
};

}  // namespace abc
