#pragma once

#include <vector>

namespace model {

// Per-agent intermediates of the dynamics, sized once per run so that the
// steps allocate nothing, and kept from run to run so that a run of the same
// size allocates nothing either. Per-agent arrays have the padded length of
// agent_padding.h for the widest lanes.
struct DynamicsScratch {
  // The pending updates of one kind of propensity.
  struct Updates {
    std::vector<double> towardsAction;  // the signal, negated for an agent that did not act
    std::vector<double> power;          // q of the update rule
    std::vector<int> needsPow;          // the first powCount entries: agents whose q needs pow
    int powCount = 0;

    void Resize(int paddedCount) {
      towardsAction.assign(paddedCount, 0.0);
      power.assign(paddedCount, 0.0);
      needsPow.assign(paddedCount, 0);
      powCount = 0;
    }
  };

  // The decision draws a step's agents compare with, in agent order: entry
  // start + i is agent i's draw in a step whose first draw is entry start.
  struct DrawTable {
    std::vector<double> firstOrder;
    std::vector<double> secondOrder;  // empty without sanctions
    int period = 0;                   // entries before the draws repeat
    int agentCount = 0;               // the table's size was made for this count
  };

  std::vector<double> exponentials;  // of the logistic responses
  std::vector<double> logistic;
  std::vector<double> volunteerMask;  // all bits set for an agent that volunteered
  std::vector<double> sanctionMask;   // all bits set for an agent that sanctioned
  Updates propensityUpdates;
  Updates sanctionUpdates;
  DrawTable draws;

  void Resize(int paddedCount) {
    exponentials.assign(paddedCount, 0.0);
    logistic.assign(paddedCount, 0.0);
    volunteerMask.assign(paddedCount, 0.0);
    sanctionMask.assign(paddedCount, 0.0);
    propensityUpdates.Resize(paddedCount);
    sanctionUpdates.Resize(paddedCount);
  }
};

}  // namespace model
