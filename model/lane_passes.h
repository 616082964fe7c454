#pragma once

#include <cstdint>

#include "model/dynamics_pass.h"

// The passes over the agents, written once over a kind of lanes L (PairLanes
// of lane_pair.h, QuadLanes of lane_quad.h) and compiled once per kind, each
// in a source of its own with its own instructions. Everything here is a
// template over L, so that no function of one kind's source can stand in for
// the other's at link time (no std::min, std::fill and the like either: their
// instances are shared between sources).
//
// Each of the step's sums still takes the agents one by one, in order, and
// every value is computed with the same operations in the same order as agent
// by agent: the kinds of lanes give the same numbers, bit for bit. Adding +0.0
// leaves a sum unchanged, so masking replaces every branch.
namespace model::dynamics::lanes_of {

// The update rule with q computed: p + (1 - q) * s. With a zero signal the
// power of a propensity in [0, 1] is finite, so the sum leaves it unchanged
// without a test. The clamp keeps it in [0, 1] and leaves not-a-number alone:
// 1 < p ? 1 : p, then 0 > p ? 0 : p.
template <class L>
typename L::V UpdatedPropensity(typename L::V p, typename L::V q, typename L::V towardsAction) {
  const typename L::V one = L::Broadcast(1.0);
  return MaxOf(L::Broadcast(0.0), MinOf(one, p + (one - q) * towardsAction));
}

// A propensity to sanction is not clamped and can grow without bound, so a
// zero signal must leave it alone explicitly.
template <class L>
typename L::V UpdatedSanctionPropensity(typename L::V p, typename L::V q,
                                        typename L::V towardsAction) {
  const typename L::V moved = p + (L::Broadcast(1.0) - q) * towardsAction;
  return Select(Equal(towardsAction, L::Broadcast(0.0)), p, moved);
}

// What acting cost the agents that acted where the mask is set; 0 for the others.
template <class V>
V CostOf(V acted, V share, V costScale) {
  return And(acted, share * costScale);
}

// Agents below the returned index take the shared signals.
template <class L>
int UniformEnd(bool uniform, int agentCount) {
  return uniform ? agentCount - agentCount % L::kCount : 0;
}

// The first agent whose signals of either kind are computed agent by agent.
template <class L>
int IndividualSignalsStart(const PassState& s) {
  const int firstOrder = UniformEnd<L>(s.uniformFirstOrder, s.m.agentCount);
  if (!s.m.sanctionsOn) return firstOrder;
  const int secondOrder = UniformEnd<L>(s.uniformSecondOrder, s.m.agentCount);
  return secondOrder < firstOrder ? secondOrder : firstOrder;
}

// The decisions of one step, after the pending updates when kUpdate is set.
template <class L, bool kSanctions, bool kUpdate>
StepTotals DecisionPassOf(PassState& s) {
  using V = typename L::V;
  const double* attrR = s.m.attrR.get();
  const double* attrRPrime = s.m.attrRPrime.get();
  double* propensity = s.m.propensity.get();
  double* sanctionPropensity = s.m.sanctionPropensity.get();
  const double* firstSignal = s.scratch.propensityUpdates.towardsAction.data();
  const double* firstPower = s.scratch.propensityUpdates.power.data();
  const double* secondSignal = s.scratch.sanctionUpdates.towardsAction.data();
  const double* secondPower = s.scratch.sanctionUpdates.power.data();
  double* volunteerMask = s.scratch.volunteerMask.data();
  double* sanctionMask = s.scratch.sanctionMask.data();
  const double* firstDraws = s.scratch.draws.firstOrder.data() + s.drawStart;
  const double* secondDraws =
      kSanctions ? s.scratch.draws.secondOrder.data() + s.drawStart : nullptr;
  const V one = L::Broadcast(1.0);

  // S1, the volunteers' propensities, the others', everyone's.
  typename L::FourSums sums;
  typename L::OneSum s2Sum;
  V volunteerCount = L::Broadcast(0.0);
  for (int i = 0; i < s.paddedCount; i += L::kCount) {
    V p = L::Load(propensity + i);
    if constexpr (kUpdate) {
      p = UpdatedPropensity<L>(p, L::Load(firstPower + i), L::Load(firstSignal + i));
      Store(propensity + i, p);
    }
    const V volunteers = LessOrEqual(L::Load(firstDraws + i), p);
    Store(volunteerMask + i, volunteers);
    sums.Add(And(volunteers, L::Load(attrR + i)), And(volunteers, p), AndNot(volunteers, p), p);
    volunteerCount = volunteerCount + And(volunteers, one);
    if constexpr (kSanctions) {
      V sp = L::Load(sanctionPropensity + i);
      if constexpr (kUpdate) {
        sp = UpdatedSanctionPropensity<L>(sp, L::Load(secondPower + i), L::Load(secondSignal + i));
        Store(sanctionPropensity + i, sp);
      }
      const V sanctions = LessOrEqual(L::Load(secondDraws + i), sp);
      Store(sanctionMask + i, sanctions);
      s2Sum.Add(And(sanctions, L::Load(attrRPrime + i)));
    }
  }

  StepTotals totals;
  totals.s1 = sums.First();
  totals.volunteerSum = sums.Second();
  totals.nonVolunteerSum = sums.Third();
  totals.propensitySum = sums.Fourth();
  totals.s2 = s2Sum.Value();
  totals.volunteerCount = static_cast<int>(SumOfLanes(volunteerCount));
  totals.nonVolunteerCount = s.m.agentCount - totals.volunteerCount;
  return totals;
}

template <class L>
StepTotals DecisionPass(PassState& s) {
  return s.m.sanctionsOn ? DecisionPassOf<L, true, false>(s) : DecisionPassOf<L, false, false>(s);
}

template <class L>
StepTotals UpdateAndDecide(PassState& s) {
  return s.m.sanctionsOn ? DecisionPassOf<L, true, true>(s) : DecisionPassOf<L, false, true>(s);
}

// 1 / (1 + e) - shift, computed once for a shared threshold.
template <class L>
void FinishLogisticResponses(PassState& s) {
  using V = typename L::V;
  const double* exponentials = s.scratch.exponentials.data();
  double* logistic = s.scratch.logistic.data();
  if (s.sharedThreshold) {
    // Where the signals are shared, only the first agent's entry is read.
    const double response = 1.0 / (1.0 + exponentials[0]) - s.constants.shift;
    logistic[0] = response;
    for (int i = IndividualSignalsStart<L>(s); i < s.m.agentCount; ++i) logistic[i] = response;
    return;
  }
  const V one = L::Broadcast(1.0);
  const V shift = L::Broadcast(s.constants.shift);
  for (int i = 0; i < s.paddedCount; i += L::kCount) {
    Store(logistic + i, one / (one + L::Load(exponentials + i)) - shift);
  }
}

// Computes each agent's signals, turned towards the action the agent took
// (p - (1 - q) * s is the same number as p + (1 - q) * -s), and lists the
// updates that need a call of pow. A propensity to volunteer lies in [0, 1], so only one strictly
// inside needs it: for 0 and 1 the power is the base itself. A propensity to sanction can be
// anything; it needs pow unless it is 0, 1 or not-a-number (which stays not-a-number), or its
// signal is 0. The padding agents' propensities are 0 and never listed. Each kind of propensity has
// a loop of its own, which keeps every pointer in a register.
//
// When every agent has the same response, E and share, the signal of every
// agent that acted is one number and that of every other agent another: the
// loop selects them instead of computing each again. Only the group holding
// the padding agents, whose values are 0, is still computed agent by agent.

// The signal towards the action taken, of agents that volunteered where the
// mask is set: cost is 0 for the others.
template <bool kSanctions, class V>
V FirstOrderSignal(V response, V volunteers, V sanctionTerm, V cost, V e, V divisor) {
  const V pull = kSanctions ? response + NegatedUnless(volunteers, sanctionTerm) : response;
  return NegatedUnless(volunteers, (pull - cost) * e / divisor);
}

// The signal (not yet turned) of agents that sanctioned where the mask is set.
template <class V>
V SecondOrderSignal(V response, V cost, V e, V divisor) {
  return (response - cost) * e / divisor;
}

template <class L, bool kSanctions>
void ComputeFirstOrderSignals(PassState& s, double z) {
  using V = typename L::V;
  const CPopulationModel& m = s.m;
  const double* attrI = m.attrI.get();
  const double* attrE = m.attrE.get();
  const double* attrR = m.attrR.get();
  const double* propensity = m.propensity.get();
  const double* volunteerMask = s.scratch.volunteerMask.data();
  const double* logistic = s.scratch.logistic.data();
  DynamicsScratch::Updates& updates = s.scratch.propensityUpdates;
  // Plain pointers: the index stores would otherwise make the compiler reload
  // each vector's data pointer in every iteration.
  double* signal = updates.towardsAction.data();
  double* power = updates.power.data();
  int* list = updates.needsPow.data();
  const V divisor = L::Broadcast(s.constants.firstOrderDivisor);
  const V costScale = L::Broadcast(m.costScale);
  const V sanctionTerm = L::Broadcast(z);
  const V zero = L::Broadcast(0.0);
  const V one = L::Broadcast(1.0);
  const V all = Equal(zero, zero);
  const V response = L::Broadcast(logistic[0] * attrI[0]);
  const V e = L::Broadcast(attrE[0]);
  const V share = L::Broadcast(attrR[0]);
  const V actedSignal = FirstOrderSignal<kSanctions>(response, all, sanctionTerm,
                                                     CostOf(all, share, costScale), e, divisor);
  const V idleSignal = FirstOrderSignal<kSanctions>(response, zero, sanctionTerm,
                                                    CostOf(zero, share, costScale), e, divisor);
  const int uniformEnd = UniformEnd<L>(s.uniformFirstOrder, m.agentCount);
  int count = 0;
  const auto listInside = [&](int i) {
    const V p = L::Load(propensity + i);
    Store(power + i, p);
    L::AppendWhere(Bits(And(LessThan(zero, p), LessThan(p, one))), i, list, count);
  };
  for (int i = 0; i < uniformEnd; i += L::kCount) {
    Store(signal + i, Select(L::Load(volunteerMask + i), actedSignal, idleSignal));
    listInside(i);
  }
  for (int i = uniformEnd; i < s.paddedCount; i += L::kCount) {
    const V volunteers = L::Load(volunteerMask + i);
    Store(signal + i,
          FirstOrderSignal<kSanctions>(
              L::Load(logistic + i) * L::Load(attrI + i), volunteers, sanctionTerm,
              CostOf(volunteers, L::Load(attrR + i), costScale), L::Load(attrE + i), divisor));
    listInside(i);
  }
  updates.powCount = count;
}

template <class L>
void ComputeSecondOrderSignals(PassState& s) {
  using V = typename L::V;
  const CPopulationModel& m = s.m;
  const double* attrI = m.attrI.get();
  const double* attrE = m.attrE.get();
  const double* attrRPrime = m.attrRPrime.get();
  const double* sanctionPropensity = m.sanctionPropensity.get();
  const double* sanctionMask = s.scratch.sanctionMask.data();
  const double* logistic = s.scratch.logistic.data();
  DynamicsScratch::Updates& updates = s.scratch.sanctionUpdates;
  double* turned = updates.towardsAction.data();
  double* power = updates.power.data();
  int* list = updates.needsPow.data();
  const V divisor = L::Broadcast(s.constants.secondOrderDivisor);
  const V costScale = L::Broadcast(m.sanctionCostScale);
  const V zero = L::Broadcast(0.0);
  const V one = L::Broadcast(1.0);
  const V response = L::Broadcast(logistic[0] * attrI[0]);
  const V e = L::Broadcast(attrE[0]);
  const V all = Equal(zero, zero);
  const V share = L::Broadcast(attrRPrime[0]);
  const V actedSignal = SecondOrderSignal(response, CostOf(all, share, costScale), e, divisor);
  const V idleSignal = SecondOrderSignal(response, CostOf(zero, share, costScale), e, divisor);
  const int uniformEnd = UniformEnd<L>(s.uniformSecondOrder, m.agentCount);
  int count = 0;
  const auto turnAndList = [&](int i, V sanctioners, V signal) {
    Store(turned + i, NegatedUnless(sanctioners, signal));
    const V sp = L::Load(sanctionPropensity + i);
    Store(power + i, sp);
    const V moves =
        And(And(NotEqual(signal, zero), NotEqual(sp, zero)), And(NotEqual(sp, one), Equal(sp, sp)));
    L::AppendWhere(Bits(moves), i, list, count);
  };
  for (int i = 0; i < uniformEnd; i += L::kCount) {
    const V sanctioners = L::Load(sanctionMask + i);
    turnAndList(i, sanctioners, Select(sanctioners, actedSignal, idleSignal));
  }
  for (int i = uniformEnd; i < s.paddedCount; i += L::kCount) {
    const V sanctioners = L::Load(sanctionMask + i);
    turnAndList(i, sanctioners,
                SecondOrderSignal(L::Load(logistic + i) * L::Load(attrI + i),
                                  CostOf(sanctioners, L::Load(attrRPrime + i), costScale),
                                  L::Load(attrE + i), divisor));
  }
  updates.powCount = count;
}

template <class L>
void PrepareUpdates(PassState& s, double z) {
  if (s.m.sanctionsOn) {
    ComputeFirstOrderSignals<L, true>(s, z);
    ComputeSecondOrderSignals<L>(s);
  } else {
    ComputeFirstOrderSignals<L, false>(s, 0.0);
  }
}

template <class L>
void ApplyUpdates(PassState& s) {
  double* propensity = s.m.propensity.get();
  double* sanctionPropensity = s.m.sanctionPropensity.get();
  const DynamicsScratch::Updates& first = s.scratch.propensityUpdates;
  const DynamicsScratch::Updates& second = s.scratch.sanctionUpdates;
  for (int i = 0; i < s.paddedCount; i += L::kCount) {
    Store(propensity + i,
          UpdatedPropensity<L>(L::Load(propensity + i), L::Load(first.power.data() + i),
                               L::Load(first.towardsAction.data() + i)));
    if (s.m.sanctionsOn) {
      Store(sanctionPropensity + i,
            UpdatedSanctionPropensity<L>(L::Load(sanctionPropensity + i),
                                         L::Load(second.power.data() + i),
                                         L::Load(second.towardsAction.data() + i)));
    }
  }
}

// Nothing reads the flags and costs during the run, the passes use the masks;
// they are written once, from the last step's masks.
template <class L>
void StoreDecisionFlags(PassState& s) {
  using V = typename L::V;
  const double* volunteerMask = s.scratch.volunteerMask.data();
  const double* sanctionMask = s.scratch.sanctionMask.data();
  const double* attrR = s.m.attrR.get();
  const double* attrRPrime = s.m.attrRPrime.get();
  std::int32_t* volunteered = s.m.volunteered.get();
  std::int32_t* sanctioned = s.m.sanctioned.get();
  double* volunteerCost = s.m.volunteerCost.get();
  double* sanctionCost = s.m.sanctionCost.get();
  const V costScale = L::Broadcast(s.m.costScale);
  const V sanctionCostScale = L::Broadcast(s.m.sanctionCostScale);
  for (int i = 0; i < s.paddedCount; i += L::kCount) {
    const V volunteers = L::Load(volunteerMask + i);
    StoreFlags(volunteered + i, volunteers);
    Store(volunteerCost + i, CostOf(volunteers, L::Load(attrR + i), costScale));
    if (s.m.sanctionsOn) {
      const V sanctions = L::Load(sanctionMask + i);
      StoreFlags(sanctioned + i, sanctions);
      Store(sanctionCost + i, CostOf(sanctions, L::Load(attrRPrime + i), sanctionCostScale));
    }
  }
}

// The table of one kind's passes.
template <class L>
const LanePasses& PassesOf() {
  static constexpr LanePasses kPasses{
      L::kCount,          &DecisionPass<L>, &UpdateAndDecide<L>,   &FinishLogisticResponses<L>,
      &PrepareUpdates<L>, &ApplyUpdates<L>, &StoreDecisionFlags<L>};
  return kPasses;
}

}  // namespace model::dynamics::lanes_of
