#pragma once

#include <cstddef>
#include <vector>

namespace model {

// Per-agent intermediates of one step of the dynamics, sized once per run so
// that the steps allocate nothing.
struct DynamicsScratch {
  std::vector<double> logistic;
  std::vector<double> signal;
  std::vector<double> sanctionSignal;
  std::vector<double> power;  // q of the update rule
  std::vector<int> needsPow;  // agents whose q needs a call of pow

  void Resize(std::size_t agentCount) {
    for (auto* v : {&logistic, &signal, &sanctionSignal, &power}) v->assign(agentCount, 0.0);
    needsPow.assign(agentCount, 0);
  }
};

}  // namespace model
