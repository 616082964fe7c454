#include "tests/abc/bernoulli_simulator.h"

#include <cstdlib>

#include "abc/random_stream.h"
#include "batch/seed_derivation.h"

namespace abc_test {

abc::SimulationOutcome BernoulliSimulator::Simulate(const abc::ProposalBatch& batch,
                                                    std::vector<double>& distances) {
  for (std::size_t i = 0; i < batch.Count(); ++i) {
    const std::int32_t seed = batch.seeds[i];
    seedsRun_.push_back(seed);
    abc::RandomStream random(
        batch::SplitMix64Mix(static_cast<std::uint64_t>(static_cast<std::uint32_t>(seed))));
    const double chance =
        countParameter_ ? batch.Parameters(i)[0] / kAgents : batch.Parameters(i)[0];
    int volunteers = 0;
    for (int a = 0; a < kAgents; ++a) volunteers += random.Uniform() < chance ? 1 : 0;
    distances[i] = static_cast<double>(std::abs(volunteers - observed_)) / kAgents;
  }
  return {};
}

}  // namespace abc_test
