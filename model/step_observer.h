#pragma once

#include <bit>
#include <cstdint>

namespace model {

// The agents as one step saw them: the propensities the step's decisions were
// taken on (before the step's own update) and those decisions. The arrays
// hold agentCount agents and are valid only during the call that receives them.
struct StepState {
  int step;
  int agentCount;
  bool sanctionsOn;
  const double* propensity;
  const double* sanctionPropensity;
  // All bits set for an agent that acted, all clear for one that did not.
  const double* volunteerMask;
  const double* sanctionMask;  // read only with sanctions on
};

// Whether the agent whose mask entry this is took the action.
inline bool Acted(double mask) {
  return std::bit_cast<std::uint64_t>(mask) != 0;
}

// Watches a run step by step. The dynamics calls it once per step, after the
// step's point of the series is recorded; a model without one pays a single
// test of a pointer per step.
class StepObserver {
 public:
  virtual ~StepObserver() = default;
  virtual void Observe(const StepState& state) = 0;
};

}  // namespace model
