#pragma once

#include <cstddef>
#include <vector>

namespace model {

// Per-agent intermediates of one step of the dynamics, sized once per run so
// that the steps allocate nothing.
struct DynamicsScratch {
  // The pending updates of one kind of propensity.
  struct Updates {
    std::vector<double> towardsAction;  // the signal, negated for an agent that did not act
    std::vector<double> power;          // q of the update rule
    std::vector<int> needsPow;          // the first powCount entries: agents whose q needs pow
    int powCount = 0;

    void Resize(std::size_t agentCount) {
      towardsAction.assign(agentCount, 0.0);
      power.assign(agentCount, 0.0);
      needsPow.assign(agentCount, 0);
      powCount = 0;
    }
  };

  std::vector<double> logistic;
  Updates propensityUpdates;
  Updates sanctionUpdates;

  void Resize(std::size_t agentCount) {
    logistic.assign(agentCount, 0.0);
    propensityUpdates.Resize(agentCount);
    sanctionUpdates.Resize(agentCount);
  }
};

}  // namespace model
