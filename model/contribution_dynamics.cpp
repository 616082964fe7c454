#include <cstdint>

#include "model/decision_sequence.h"
#include "model/dynamics_pass.h"

namespace model::dynamics {
namespace {

float ClampUnit(float v) {
  if (v > 1.0f) return 1.0f;
  if (v < 0.0f) return 0.0f;
  return v;
}

}  // namespace

StepPasses::StepPasses(CPopulationModel& model, DynamicsScratch& scratch)
    : m_(model),
      scratch_(scratch),
      constants_{static_cast<double>(model.slopeM), (1.0 - model.paramX) * 0.5,
                 model.nPowMinusJ + (model.sanctionsOn ? 2.0 : 1.0), model.nPowMinusJPrime + 1.0} {}

StepTotals StepPasses::DecisionPass() {
  return m_.sanctionsOn ? DecisionPassOf<true>() : DecisionPassOf<false>();
}

// With sanctions on, each agent's two decisions take consecutive draws.
template <bool kSanctions>
StepTotals StepPasses::DecisionPassOf() {
  static const DecisionTable kDraws;
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
  unsigned draw = draws_;

  StepTotals totals;
  for (int i = 0; i < agentCount; ++i) {
    const double p = propensity[i];
    const bool volunteers = kDraws[draw++] <= p;
    volunteerCost[i] = volunteers ? attrR[i] * costScale : 0.0;
    volunteered[i] = volunteers ? 1 : 0;
    // Adding 0.0 leaves a sum unchanged, so the sums need no branch.
    totals.s1 += volunteers ? attrR[i] : 0.0;
    totals.volunteerSum += volunteers ? p : 0.0;
    totals.nonVolunteerSum += volunteers ? 0.0 : p;
    totals.volunteerCount += volunteers ? 1 : 0;
    totals.propensitySum += p;
    if constexpr (kSanctions) {
      const bool sanctions = kDraws[draw++] <= sanctionPropensity[i];
      sanctionCost[i] = sanctions ? attrRPrime[i] * sanctionCostScale : 0.0;
      sanctioned[i] = sanctions ? 1 : 0;
      totals.s2 += sanctions ? attrRPrime[i] : 0.0;
    }
  }
  draws_ = draw;
  totals.nonVolunteerCount = agentCount - totals.volunteerCount;
  return totals;
}

void StepPasses::FinishLogisticResponses() {
  const int agentCount = m_.agentCount;
  const double shift = constants_.shift;
  double* logistic = scratch_.logistic.data();
  for (int i = 0; i < agentCount; ++i) logistic[i] = 1.0 / (1.0 + logistic[i]) - shift;
}

void StepPasses::PrepareUpdates(double z) {
  if (m_.sanctionsOn) {
    PrepareUpdatesOf<true>(z);
  } else {
    PrepareUpdatesOf<false>(0.0);
  }
}

// Computes each agent's signals, turned towards the action the agent took
// (p - (1 - q) * s is the same number as p + (1 - q) * -s), and lists the
// updates that need a call of pow. A propensity to volunteer lies in [0, 1], so
// only one strictly inside needs it: for 0 and 1 the power is the base itself.
// A propensity to sanction can be anything; it needs pow unless it is 0, 1 or
// not-a-number (which stays not-a-number), or its signal is 0.
// The lists are built with bitwise & rather than branches: the outcome varies
// from agent to agent and branches on it would be mispredicted.
template <bool kSanctions>
void StepPasses::PrepareUpdatesOf(double z) {
  const int agentCount = m_.agentCount;
  const double* attrI = m_.attrI.get();
  const double* attrE = m_.attrE.get();
  const double* volunteerCost = m_.volunteerCost.get();
  const double* sanctionCost = m_.sanctionCost.get();
  const std::int32_t* volunteered = m_.volunteered.get();
  const std::int32_t* sanctioned = m_.sanctioned.get();
  const double firstOrderDivisor = constants_.firstOrderDivisor;
  const double secondOrderDivisor = constants_.secondOrderDivisor;
  const double* logistic = scratch_.logistic.data();
  double* first = scratch_.propensityUpdates.towardsAction.data();
  double* second = scratch_.sanctionUpdates.towardsAction.data();
  for (int i = 0; i < agentCount; ++i) {
    const double response = logistic[i] * attrI[i];
    const bool volunteers = volunteered[i] != 0;
    const double pull = kSanctions ? response + (volunteers ? z : -z) : response;
    const double s = (pull - volunteerCost[i]) * attrE[i] / firstOrderDivisor;
    first[i] = volunteers ? s : -s;
    if constexpr (kSanctions) {
      const double sanctionSignal = (response - sanctionCost[i]) * attrE[i] / secondOrderDivisor;
      second[i] = sanctioned[i] != 0 ? sanctionSignal : -sanctionSignal;
    }
  }
  ListPowers(m_.propensity.get(), scratch_.propensityUpdates, BaseRange::kUnit);
  if constexpr (kSanctions) {
    ListPowers(m_.sanctionPropensity.get(), scratch_.sanctionUpdates, BaseRange::kAny);
  } else {
    scratch_.sanctionUpdates.powCount = 0;
  }
}

void StepPasses::ListPowers(const double* base, DynamicsScratch::Updates& updates,
                            BaseRange range) {
  const int agentCount = m_.agentCount;
  const double* towardsAction = updates.towardsAction.data();
  double* power = updates.power.data();
  int* needsPow = updates.needsPow.data();
  int count = 0;
  if (range == BaseRange::kUnit) {
    for (int i = 0; i < agentCount; ++i) {
      const double p = base[i];
      power[i] = p;
      needsPow[count] = i;
      count += static_cast<int>(p > 0.0) & static_cast<int>(p < 1.0);
    }
  } else {
    for (int i = 0; i < agentCount; ++i) {
      const double p = base[i];
      power[i] = p;
      needsPow[count] = i;
      count += static_cast<int>(towardsAction[i] != 0.0) & static_cast<int>(p != 0.0) &
               static_cast<int>(p != 1.0) & static_cast<int>(p == p);
    }
  }
  updates.powCount = count;
}

// With a zero signal the power of a propensity in [0, 1] is finite, so the
// sum leaves it unchanged without a test; the clamp keeps it in [0, 1].
void StepPasses::ApplyPropensityUpdates() {
  const int agentCount = m_.agentCount;
  double* propensity = m_.propensity.get();
  const double* towardsAction = scratch_.propensityUpdates.towardsAction.data();
  const double* power = scratch_.propensityUpdates.power.data();
  for (int i = 0; i < agentCount; ++i) {
    double p = propensity[i] + (1.0 - power[i]) * towardsAction[i];
    p = p > 1.0 ? 1.0 : p;
    p = p < 0.0 ? 0.0 : p;
    propensity[i] = p;
  }
}

// A propensity to sanction is not clamped and can grow without bound, so a
// zero signal must leave it alone explicitly.
void StepPasses::ApplySanctionUpdates() {
  const int agentCount = m_.agentCount;
  double* sanctionPropensity = m_.sanctionPropensity.get();
  const double* towardsAction = scratch_.sanctionUpdates.towardsAction.data();
  const double* power = scratch_.sanctionUpdates.power.data();
  for (int i = 0; i < agentCount; ++i) {
    const double p = sanctionPropensity[i];
    sanctionPropensity[i] = towardsAction[i] == 0.0 ? p : p + (1.0 - power[i]) * towardsAction[i];
  }
}

void StepPasses::RecordPoint(int k, const StepTotals& totals) {
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

}  // namespace model::dynamics
