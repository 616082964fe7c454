#pragma once

#include <cstdint>
#include <vector>

#include "abc/simulator.h"

namespace abc_test {

// A group of kAgents agents, each volunteering with chance theta[0] (or
// theta[0] / kAgents when the parameter is a count); the distance is how far
// the number of volunteers lies from the observed count, as a share of the
// group. Any further parameters have no effect.
class BernoulliSimulator : public abc::Simulator {
 public:
  static constexpr int kAgents = 100;

  BernoulliSimulator(int observed, bool countParameter)
      : observed_(observed), countParameter_(countParameter) {}

  abc::SimulationOutcome Simulate(const abc::ProposalBatch& batch,
                                  std::vector<double>& distances) override;

  // Every seed run so far, in the order they came.
  const std::vector<std::int32_t>& SeedsRun() const { return seedsRun_; }

 private:
  int observed_;
  bool countParameter_;
  std::vector<std::int32_t> seedsRun_;
};

}  // namespace abc_test
