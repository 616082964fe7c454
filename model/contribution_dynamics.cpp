#include <algorithm>
#include <cmath>

#include "model/decision_sequence.h"
#include "model/population_model.h"

namespace model {
namespace {

float ClampUnit(float v) {
  if (v > 1.0f) return 1.0f;
  if (v < 0.0f) return 0.0f;
  return v;
}

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

// One run of the dynamics over a model's sampled population.
class DynamicsPass {
 public:
  DynamicsPass(CPopulationModel& model, DynamicsScratch& scratch)
      : m_(model),
        scratch_(scratch),
        constants_{static_cast<double>(model.slopeM), (1.0 - model.paramX) * 0.5,
                   model.nPowMinusJ + (model.sanctionsOn ? 2.0 : 1.0),
                   model.nPowMinusJPrime + 1.0} {}

  void Run();

 private:
  StepTotals DecisionPass();
  void ComputeLogisticResponses(double s1);
  void ComputeSignals(double s2);
  void ApplyUpdates();
  enum class Clamp { kNone, kToUnit };
  void UpdatePropensities(double* propensity, const double* signal, const std::int32_t* tookAction,
                          Clamp clamp);
  void RecordPoint(int k, const StepTotals& totals);

  CPopulationModel& m_;
  DynamicsScratch& scratch_;
  const DynamicsConstants constants_;
  DecisionSequence decisions_;
};

}  // namespace

// The update pass runs as separate loops over the agents (logistic responses,
// signals, updates) rather than agent by agent: the arithmetic of one agent then
// no longer waits on the previous agent's exp and pow. Every value is computed
// with the same operations in the same order, so the results are unchanged.
void CPopulationModel::RunDynamics() {
  if (agentCount <= 0) return;
  for (auto* series : {&firstOrderRate, &secondOrderRate, &meanPropensityVolunteers,
                       &meanPropensityNonVolunteers, &meanPropensity}) {
    if (!*series) *series = std::make_unique<float[]>(kStepCount);
    std::fill_n(series->get(), kStepCount, 0.0f);
  }
  DynamicsPass(*this, scratch_).Run();
}

namespace {

void DynamicsPass::Run() {
  double logisticS1 = 0.0;
  for (int k = 0; k < kStepCount; ++k) {
    const StepTotals totals = DecisionPass();
    // The responses depend on the step only through S1.
    if (k == 0 || totals.s1 != logisticS1) {
      ComputeLogisticResponses(totals.s1);
      logisticS1 = totals.s1;
    }
    ComputeSignals(totals.s2);
    ApplyUpdates();
    RecordPoint(k, totals);
  }
}

StepTotals DynamicsPass::DecisionPass() {
  const int agentCount = m_.agentCount;
  const double* attrR = m_.attrR.get();
  const double* attrRPrime = m_.attrRPrime.get();
  const double* propensity = m_.propensity.get();
  const double* sanctionPropensity = m_.sanctionPropensity.get();
  double* volunteerCost = m_.volunteerCost.get();
  double* sanctionCost = m_.sanctionCost.get();
  std::int32_t* volunteered = m_.volunteered.get();
  std::int32_t* sanctioned = m_.sanctioned.get();
  const double costScale = m_.costScale;
  const double sanctionCostScale = m_.sanctionCostScale;
  const bool sanctionsOn = m_.sanctionsOn;
  DecisionSequence& decisions = decisions_;

  StepTotals totals;
  for (int i = 0; i < agentCount; ++i) {
    const double p = propensity[i];
    const bool volunteers = decisions.Next() <= p;
    volunteerCost[i] = volunteers ? attrR[i] * costScale : 0.0;
    volunteered[i] = volunteers ? 1 : 0;
    // Adding 0.0 leaves a sum unchanged, so the sums need no branch.
    totals.s1 += volunteers ? attrR[i] : 0.0;
    totals.volunteerSum += volunteers ? p : 0.0;
    totals.nonVolunteerSum += volunteers ? 0.0 : p;
    totals.volunteerCount += volunteers ? 1 : 0;
    totals.propensitySum += p;
    if (sanctionsOn) {
      const bool sanctions = decisions.Next() <= sanctionPropensity[i];
      sanctionCost[i] = sanctions ? attrRPrime[i] * sanctionCostScale : 0.0;
      sanctioned[i] = sanctions ? 1 : 0;
      totals.s2 += sanctions ? attrRPrime[i] : 0.0;
    }
  }
  totals.nonVolunteerCount = agentCount - totals.volunteerCount;
  return totals;
}

void DynamicsPass::ComputeLogisticResponses(double s1) {
  const int agentCount = m_.agentCount;
  const double* attrT = m_.attrT.get();
  const double slope = constants_.slope;
  const double shift = constants_.shift;
  double* logistic = scratch_.logistic.data();
  for (int i = 0; i < agentCount; ++i) {
    // Agents sharing a threshold share the response.
    if (i > 0 && attrT[i] == attrT[i - 1]) {
      logistic[i] = logistic[i - 1];
    } else {
      logistic[i] = 1.0 / (1.0 + std::exp(slope * (attrT[i] - s1))) - shift;
    }
  }
}

void DynamicsPass::ComputeSignals(double s2) {
  const int agentCount = m_.agentCount;
  const bool sanctionsOn = m_.sanctionsOn;
  const double* attrI = m_.attrI.get();
  const double* attrE = m_.attrE.get();
  const double* volunteerCost = m_.volunteerCost.get();
  const double* sanctionCost = m_.sanctionCost.get();
  const std::int32_t* volunteered = m_.volunteered.get();
  const double firstOrderDivisor = constants_.firstOrderDivisor;
  const double secondOrderDivisor = constants_.secondOrderDivisor;
  const double* logistic = scratch_.logistic.data();
  double* signal = scratch_.signal.data();
  // The sanction term is the same for every agent of a step.
  const double z = sanctionsOn ? std::pow(s2, m_.paramM) : 0.0;
  for (int i = 0; i < agentCount; ++i) {
    const double response = logistic[i] * attrI[i];
    const double pull = sanctionsOn ? response + (volunteered[i] != 0 ? z : -z) : response;
    signal[i] = (pull - volunteerCost[i]) * attrE[i] / firstOrderDivisor;
  }
  if (!sanctionsOn) return;
  double* sanctionSignal = scratch_.sanctionSignal.data();
  for (int i = 0; i < agentCount; ++i) {
    sanctionSignal[i] = (logistic[i] * attrI[i] - sanctionCost[i]) * attrE[i] / secondOrderDivisor;
  }
}

void DynamicsPass::ApplyUpdates() {
  UpdatePropensities(m_.propensity.get(), scratch_.signal.data(), m_.volunteered.get(),
                     Clamp::kToUnit);
  if (m_.sanctionsOn) {
    UpdatePropensities(m_.sanctionPropensity.get(), scratch_.sanctionSignal.data(),
                       m_.sanctioned.get(), Clamp::kNone);
  }
}

// The update rule over all agents, in three passes so that only the agents
// whose base is not 0, 1 or not-a-number reach pow, and without a branch per
// agent elsewhere. p - (1 - q) * s is computed as p + (1 - q) * -s, which is
// the same number.
void DynamicsPass::UpdatePropensities(double* propensity, const double* signal,
                                      const std::int32_t* tookAction, Clamp clamp) {
  const int agentCount = m_.agentCount;
  double* power = scratch_.power.data();
  int* needsPow = scratch_.needsPow.data();
  int powCount = 0;
  for (int i = 0; i < agentCount; ++i) {
    const double p = propensity[i];
    power[i] = p == 0.0 ? 0.0 : 1.0;  // for base 1, and for base 0 a positive power of it
    needsPow[powCount] = i;
    // Bitwise & rather than &&: the outcome varies from agent to agent, and
    // branches on it would be mispredicted.
    powCount += static_cast<int>(signal[i] != 0.0) & static_cast<int>(p != 0.0) &
                static_cast<int>(p != 1.0) & static_cast<int>(p == p);
  }
  for (int j = 0; j < powCount; ++j) {
    const int i = needsPow[j];
    power[i] = std::pow(propensity[i], 1.0 / std::fabs(signal[i]));
  }
  for (int i = 0; i < agentCount; ++i) {
    const double p = propensity[i];
    const double towardsAction = tookAction[i] != 0 ? signal[i] : -signal[i];
    double updated = signal[i] == 0.0 ? p : p + (1.0 - power[i]) * towardsAction;
    if (clamp == Clamp::kToUnit) {
      updated = updated > 1.0 ? 1.0 : updated;
      updated = updated < 0.0 ? 0.0 : updated;
    }
    propensity[i] = updated;
  }
}

void DynamicsPass::RecordPoint(int k, const StepTotals& totals) {
  if (totals.nonVolunteerCount != 0) {
    m_.meanPropensityNonVolunteers[k] =
        ClampUnit(static_cast<float>(totals.nonVolunteerSum / totals.nonVolunteerCount));
  }
  if (totals.volunteerCount != 0) {
    m_.meanPropensityVolunteers[k] =
        ClampUnit(static_cast<float>(totals.volunteerSum / totals.volunteerCount));
  }
  m_.meanPropensity[k] = ClampUnit(static_cast<float>(totals.propensitySum / m_.agentCount));
  m_.firstOrderRate[k] = static_cast<float>(totals.s1);
  m_.secondOrderRate[k] = static_cast<float>(totals.s2);
}

}  // namespace
}  // namespace model
