#pragma once

#include <algorithm>
#include <cmath>
#include <memory>

#include "model/population_model.h"

// The contribution dynamics. The passes that call no transcendental function
// work on several agents at once and are compiled once per set of
// instructions (lane_passes.h); the loops that make the calls are templates
// over those functions (see math_calls.h).
namespace model::dynamics {

struct StepTotals {
  double s1 = 0.0;
  double s2 = 0.0;
  double volunteerSum = 0.0;
  int volunteerCount = 0;
  double nonVolunteerSum = 0.0;
  int nonVolunteerCount = 0;
  double propensitySum = 0.0;
};

// Constants of one run's dynamics.
struct DynamicsConstants {
  double slope;
  double shift;  // the logistic response is lowered by (1 - X) / 2
  double firstOrderDivisor;
  double secondOrderDivisor;
};

// What one run's passes over the agents read and write.
struct PassState {
  CPopulationModel& m;
  DynamicsScratch& scratch;
  DynamicsConstants constants;
  int paddedCount;  // the agent count rounded up to whole groups of lanes
  // Whether every agent has the same threshold, and so the same response.
  bool sharedThreshold;
  // Whether every agent has the same response, E and R (R' for the second):
  // the signals then take one of two values, as the agent acted or not.
  bool uniformFirstOrder;
  bool uniformSecondOrder;
  int drawStart;  // entry of the draw table where the next step begins
};

// The passes that work on several agents at once, compiled once for each set
// of instructions (see dynamics_path.h); a run calls those of one set.
struct LanePasses {
  int laneCount;
  StepTotals (*decisionPass)(PassState&);
  StepTotals (*updateAndDecide)(PassState&);
  void (*finishLogisticResponses)(PassState&);
  void (*prepareUpdates)(PassState&, double z);
  void (*applyUpdates)(PassState&);
  void (*storeDecisionFlags)(PassState&);
};

// The passes of the path runs take (dynamics_path.h).
const LanePasses& ActiveLanePasses();
// The passes of each kind of lanes. QuadPasses exists only in builds for
// x86-64, and only a processor of the x86-64-v3 level may call it.
const LanePasses& PairPasses();
namespace v3 {
const LanePasses& QuadPasses();
}  // namespace v3

// One run's passes over a model's sampled population, except the calls of exp
// and pow, which the caller makes between them.
class StepPasses {
 public:
  StepPasses(CPopulationModel& model, DynamicsScratch& scratch, const LanePasses& lanes);

  const CPopulationModel& model() const { return state_.m; }
  const DynamicsConstants& constants() const { return state_.constants; }
  DynamicsScratch& scratch() { return state_.scratch; }
  bool sharedThreshold() const { return state_.sharedThreshold; }

  StepTotals DecisionPass() { return NextStep(lanes_.decisionPass(state_)); }
  // Applies the pending updates and takes the next step's decisions on the
  // propensities they leave, in one pass over the agents.
  StepTotals UpdateAndDecide() { return NextStep(lanes_.updateAndDecide(state_)); }
  // Turns the exponentials into every agent's response.
  void FinishLogisticResponses() { lanes_.finishLogisticResponses(state_); }
  // Computes the signals, with z the step's sanction term, and lists the powers to compute.
  void PrepareUpdates(double z) { lanes_.prepareUpdates(state_, z); }
  // Applies the pending updates of the last step, which no decision follows.
  void ApplyUpdates() { lanes_.applyUpdates(state_); }
  void RecordPoint(int k, const StepTotals& totals);
  // Shows observer step k's agents: the propensities its decisions were taken
  // on, whose updates are still pending, and those decisions.
  void ShowStep(int k, StepObserver& observer) const;
  // Sets volunteered and sanctioned as the last step's decisions left them.
  void StoreDecisionFlags() { lanes_.storeDecisionFlags(state_); }

 private:
  void PrepareDrawTable();
  bool SharesResponseAndE(const double* shares) const;
  StepTotals NextStep(const StepTotals& totals);

  const LanePasses& lanes_;
  PassState state_;
};

// S2 raised to the power m. After the R & R' correlation some R' shares can be
// negative, and so can S2; a negative sum has no real fractional power, and
// not-a-number here would spread into every propensity. Such a step raises no
// sanction term.
template <class Math>
double SanctionTerm(double s2, double m) {
  const double z = Math::Pow(s2, m);
  return std::isnan(z) ? 0.0 : z;
}

// The exponentials of the logistic responses, one for the whole population
// when every agent has the same threshold. The divisions follow in a loop of
// their own, so that they do not wait on each call of exp.
template <class Math>
void ComputeExponentials(StepPasses& passes, double s1) {
  const double* attrT = passes.model().attrT.get();
  const double slope = passes.constants().slope;
  double* exponentials = passes.scratch().exponentials.data();
  const int count = passes.sharedThreshold() ? 1 : passes.model().agentCount;
  for (int i = 0; i < count; ++i) exponentials[i] = Math::Exp(slope * (attrT[i] - s1));
}

// The pointers are locals, which the calls cannot change, so that they are
// not reloaded after each call.
template <class Math>
void ComputePowers(const double* base, DynamicsScratch::Updates& updates) {
  const int* needsPow = updates.needsPow.data();
  const double* towardsAction = updates.towardsAction.data();
  double* power = updates.power.data();
  const int count = updates.powCount;
  for (int j = 0; j < count; ++j) {
    const int i = needsPow[j];
    power[i] = Math::Pow(base[i], 1.0 / std::fabs(towardsAction[i]));
  }
}

// The update pass runs as separate loops over the agents (logistic responses,
// signals, updates) rather than agent by agent: the arithmetic of one agent then
// no longer waits on the previous agent's exp and pow. Every value is computed
// with the same operations in the same order, so the results are unchanged.
template <class Math>
void RunSteps(CPopulationModel& m, DynamicsScratch& scratch) {
  StepPasses passes(m, scratch, ActiveLanePasses());
  double logisticS1 = 0.0;
  StepTotals totals = passes.DecisionPass();
  for (int k = 0; k < kStepCount; ++k) {
    // The responses depend on the step only through S1.
    if (k == 0 || totals.s1 != logisticS1) {
      ComputeExponentials<Math>(passes, totals.s1);
      passes.FinishLogisticResponses();
      logisticS1 = totals.s1;
    }
    passes.PrepareUpdates(m.sanctionsOn ? SanctionTerm<Math>(totals.s2, m.paramM) : 0.0);
    ComputePowers<Math>(m.propensity.get(), scratch.propensityUpdates);
    if (m.sanctionsOn) ComputePowers<Math>(m.sanctionPropensity.get(), scratch.sanctionUpdates);
    passes.RecordPoint(k, totals);
    if (m.stepObserver != nullptr) passes.ShowStep(k, *m.stepObserver);
    if (k + 1 < kStepCount) {
      totals = passes.UpdateAndDecide();
    } else {
      passes.ApplyUpdates();
    }
  }
  passes.StoreDecisionFlags();
}

}  // namespace model::dynamics

namespace model {

template <class Math>
void CPopulationModel::RunDynamics() {
  if (agentCount <= 0) return;
  for (auto* series : {&firstOrderRate, &secondOrderRate, &meanPropensityVolunteers,
                       &meanPropensityNonVolunteers, &meanPropensity}) {
    if (!*series) *series = std::make_unique<float[]>(kStepCount);
    std::fill_n(series->get(), kStepCount, 0.0f);
  }
  dynamics::RunSteps<Math>(*this, scratch_);
}

}  // namespace model
