#include <algorithm>
#include <bit>
#include <cstdint>

#include "model/decision_sequence.h"
#include "model/dynamics_pass.h"
#include "model/lane_pair.h"

namespace model::dynamics {
namespace {

using lanes::Pair;

float ClampUnit(float v) {
  if (v > 1.0f) return 1.0f;
  if (v < 0.0f) return 0.0f;
  return v;
}

// Draws taken per agent and step: one decision, or two with sanctions.
int DrawsPerAgent(bool sanctions) {
  return sanctions ? 2 : 1;
}

// The update rule with q computed: p + (1 - q) * s. With a zero signal the
// power of a propensity in [0, 1] is finite, so the sum leaves it unchanged
// without a test. The clamp keeps it in [0, 1] and leaves not-a-number alone:
// 1 < p ? 1 : p, then 0 > p ? 0 : p.
lanes::Pair UpdatedPropensity(lanes::Pair p, lanes::Pair q, lanes::Pair towardsAction) {
  using namespace lanes;
  const Pair one = Broadcast(1.0);
  return MaxOf(Broadcast(0.0), MinOf(one, p + (one - q) * towardsAction));
}

// A propensity to sanction is not clamped and can grow without bound, so a
// zero signal must leave it alone explicitly.
lanes::Pair UpdatedSanctionPropensity(lanes::Pair p, lanes::Pair q, lanes::Pair towardsAction) {
  using namespace lanes;
  const Pair moved = p + (Broadcast(1.0) - q) * towardsAction;
  return Select(Equal(towardsAction, Broadcast(0.0)), p, moved);
}

// What acting cost the agents that acted where the mask is set; 0 for the others.
lanes::Pair CostOf(lanes::Pair acted, lanes::Pair share, lanes::Pair costScale) {
  return lanes::And(acted, share * costScale);
}

// Agents below the returned index take the shared signals.
int UniformEnd(bool uniform, int agentCount) {
  return uniform ? agentCount - agentCount % lanes::kLaneCount : 0;
}

}  // namespace

StepPasses::StepPasses(CPopulationModel& model, DynamicsScratch& scratch)
    : m_(model),
      scratch_(scratch),
      constants_{static_cast<double>(model.slopeM), (1.0 - model.paramX) * 0.5,
                 model.nPowMinusJ + (model.sanctionsOn ? 2.0 : 1.0), model.nPowMinusJPrime + 1.0},
      paddedCount_(lanes::PaddedCount(model.agentCount)),
      sharedThreshold_(ThresholdsAllEqual()),
      uniformFirstOrder_(SharesResponseAndE(model.attrR.get())),
      uniformSecondOrder_(model.sanctionsOn && SharesResponseAndE(model.attrRPrime.get())) {
  PrepareDrawTable();
}

// Every run takes the same draws, so the table depends only on the number of
// agents and on sanctions, and is kept for the next run of the same kind.
// With sanctions the decisions take alternate draws; each kind then has a
// table of its own, so that a step reads its agents' draws contiguously.
void StepPasses::PrepareDrawTable() {
  static const DecisionTable kDraws;
  DynamicsScratch::DrawTable& table = scratch_.draws;
  const int perAgent = DrawsPerAgent(m_.sanctionsOn);
  const int period = static_cast<int>(kDecisionPeriod) / perAgent;
  if (table.period == period && table.agentCount == m_.agentCount) return;
  const auto size = static_cast<std::size_t>(period + paddedCount_);
  table.firstOrder.resize(size);
  table.secondOrder.resize(m_.sanctionsOn ? size : 0);
  for (std::size_t j = 0; j < size; ++j) {
    const auto n = static_cast<unsigned>(j % static_cast<std::size_t>(period)) * perAgent;
    table.firstOrder[j] = kDraws[n];
    if (m_.sanctionsOn) table.secondOrder[j] = kDraws[n + 1];
  }
  table.period = period;
  table.agentCount = m_.agentCount;
}

// The first agent whose signals of either kind are computed agent by agent.
int StepPasses::IndividualSignalsStart() const {
  const int firstOrder = UniformEnd(uniformFirstOrder_, m_.agentCount);
  return m_.sanctionsOn ? std::min(firstOrder, UniformEnd(uniformSecondOrder_, m_.agentCount))
                        : firstOrder;
}

// A Constant threshold: one exponential serves every agent.
bool StepPasses::ThresholdsAllEqual() const {
  const double* attrT = m_.attrT.get();
  return std::all_of(attrT, attrT + m_.agentCount, [attrT](double t) { return t == attrT[0]; });
}

// Bit for bit, so that a 0 of either sign is not taken for the other.
bool StepPasses::SharesResponseAndE(const double* shares) const {
  const auto allSame = [this](const double* values) {
    return std::all_of(values, values + m_.agentCount, [values](double v) {
      return std::bit_cast<std::uint64_t>(v) == std::bit_cast<std::uint64_t>(values[0]);
    });
  };
  return sharedThreshold_ && allSame(m_.attrI.get()) && allSame(m_.attrE.get()) && allSame(shares);
}

StepTotals StepPasses::DecisionPass() {
  const StepTotals totals =
      m_.sanctionsOn ? DecisionPassOf<true, false>() : DecisionPassOf<false, false>();
  drawStart_ = (drawStart_ + m_.agentCount) % scratch_.draws.period;
  return totals;
}

StepTotals StepPasses::UpdateAndDecide() {
  const StepTotals totals =
      m_.sanctionsOn ? DecisionPassOf<true, true>() : DecisionPassOf<false, true>();
  drawStart_ = (drawStart_ + m_.agentCount) % scratch_.draws.period;
  return totals;
}

// Two agents at a time. Each of the step's sums still takes the agents one by
// one in order: a pair of sums shares a register, one sum per lane. Adding
// +0.0 leaves a sum unchanged, so masking replaces every branch.
template <bool kSanctions, bool kUpdate>
StepTotals StepPasses::DecisionPassOf() {
  using namespace lanes;
  const double* attrR = m_.attrR.get();
  const double* attrRPrime = m_.attrRPrime.get();
  double* propensity = m_.propensity.get();
  double* sanctionPropensity = m_.sanctionPropensity.get();
  const double* firstSignal = scratch_.propensityUpdates.towardsAction.data();
  const double* firstPower = scratch_.propensityUpdates.power.data();
  const double* secondSignal = scratch_.sanctionUpdates.towardsAction.data();
  const double* secondPower = scratch_.sanctionUpdates.power.data();
  double* volunteerMask = scratch_.volunteerMask.data();
  double* sanctionMask = scratch_.sanctionMask.data();
  const double* firstDraws = scratch_.draws.firstOrder.data() + drawStart_;
  const double* secondDraws = kSanctions ? scratch_.draws.secondOrder.data() + drawStart_ : nullptr;
  const Pair one = Broadcast(1.0);

  Pair s1AndVolunteerSum = Broadcast(0.0);
  Pair nonVolunteerAndAllSum = Broadcast(0.0);
  Pair s2Sum = Broadcast(0.0);  // the same sum in both lanes
  Pair volunteerCount = Broadcast(0.0);
  for (int i = 0; i < paddedCount_; i += kLaneCount) {
    Pair p = Load(propensity + i);
    if constexpr (kUpdate) {
      p = UpdatedPropensity(p, Load(firstPower + i), Load(firstSignal + i));
      Store(propensity + i, p);
    }
    const Pair r = Load(attrR + i);
    const Pair volunteers = LessOrEqual(Load(firstDraws + i), p);
    Store(volunteerMask + i, volunteers);
    const Pair volunteerR = And(volunteers, r);
    const Pair volunteerP = And(volunteers, p);
    const Pair nonVolunteerP = AndNot(volunteers, p);
    s1AndVolunteerSum = s1AndVolunteerSum + Lows(volunteerR, volunteerP);
    s1AndVolunteerSum = s1AndVolunteerSum + Highs(volunteerR, volunteerP);
    nonVolunteerAndAllSum = nonVolunteerAndAllSum + Lows(nonVolunteerP, p);
    nonVolunteerAndAllSum = nonVolunteerAndAllSum + Highs(nonVolunteerP, p);
    volunteerCount = volunteerCount + And(volunteers, one);
    if constexpr (kSanctions) {
      const Pair rPrime = Load(attrRPrime + i);
      Pair sp = Load(sanctionPropensity + i);
      if constexpr (kUpdate) {
        sp = UpdatedSanctionPropensity(sp, Load(secondPower + i), Load(secondSignal + i));
        Store(sanctionPropensity + i, sp);
      }
      const Pair sanctions = LessOrEqual(Load(secondDraws + i), sp);
      Store(sanctionMask + i, sanctions);
      const Pair sanctionerR = And(sanctions, rPrime);
      s2Sum = s2Sum + Lows(sanctionerR, sanctionerR);
      s2Sum = s2Sum + Highs(sanctionerR, sanctionerR);
    }
  }

  StepTotals totals;
  totals.s1 = Low(s1AndVolunteerSum);
  totals.volunteerSum = High(s1AndVolunteerSum);
  totals.nonVolunteerSum = Low(nonVolunteerAndAllSum);
  totals.propensitySum = High(nonVolunteerAndAllSum);
  totals.s2 = Low(s2Sum);
  totals.volunteerCount = static_cast<int>(Low(volunteerCount) + High(volunteerCount));
  totals.nonVolunteerCount = m_.agentCount - totals.volunteerCount;
  return totals;
}

// 1 / (1 + e) - shift, computed once for a shared threshold.
void StepPasses::FinishLogisticResponses() {
  using namespace lanes;
  const double* exponentials = scratch_.exponentials.data();
  double* logistic = scratch_.logistic.data();
  if (sharedThreshold_) {
    // Where the signals are shared, only the first agent's entry is read.
    const double response = 1.0 / (1.0 + exponentials[0]) - constants_.shift;
    logistic[0] = response;
    std::fill(logistic + IndividualSignalsStart(), logistic + m_.agentCount, response);
    return;
  }
  const Pair one = Broadcast(1.0);
  const Pair shift = Broadcast(constants_.shift);
  for (int i = 0; i < paddedCount_; i += kLaneCount) {
    Store(logistic + i, one / (one + Load(exponentials + i)) - shift);
  }
}

namespace {

// Computes each agent's signals, turned towards the action the agent took
// (p - (1 - q) * s is the same number as p + (1 - q) * -s), and lists the
// updates that need a call of pow. A propensity to volunteer lies in [0, 1],
// so only one strictly inside needs it: for 0 and 1 the power is the base
// itself. A propensity to sanction can be anything; it needs pow unless it is
// 0, 1 or not-a-number (which stays not-a-number), or its signal is 0. The
// padding agent's propensities are 0 and never listed. Each kind of
// propensity has a loop of its own, which keeps every pointer in a register.
//
// When every agent has the same response, E and share, the signal of every
// agent that acted is one number and that of every other agent another: the
// loop selects them instead of computing each again. Only the pair holding
// the padding agent, whose values are 0, is still computed agent by agent.

// The signal towards the action taken, of agents that volunteered where the
// mask is set: cost is 0 for the others.
template <bool kSanctions>
lanes::Pair FirstOrderSignal(lanes::Pair response, lanes::Pair volunteers, lanes::Pair sanctionTerm,
                             lanes::Pair cost, lanes::Pair e, lanes::Pair divisor) {
  using namespace lanes;
  const Pair pull = kSanctions ? response + NegatedUnless(volunteers, sanctionTerm) : response;
  return NegatedUnless(volunteers, (pull - cost) * e / divisor);
}

// The signal (not yet turned) of agents that sanctioned where the mask is set.
lanes::Pair SecondOrderSignal(lanes::Pair response, lanes::Pair cost, lanes::Pair e,
                              lanes::Pair divisor) {
  return (response - cost) * e / divisor;
}

template <bool kSanctions>
void ComputeFirstOrderSignals(const CPopulationModel& m, DynamicsScratch& scratch,
                              const DynamicsConstants& constants, int paddedCount, bool uniform,
                              double z) {
  using namespace lanes;
  const double* attrI = m.attrI.get();
  const double* attrE = m.attrE.get();
  const double* attrR = m.attrR.get();
  const double* propensity = m.propensity.get();
  const double* volunteerMask = scratch.volunteerMask.data();
  const double* logistic = scratch.logistic.data();
  // Plain pointers: the index stores would otherwise make the compiler reload
  // each vector's data pointer in every iteration.
  double* signal = scratch.propensityUpdates.towardsAction.data();
  double* power = scratch.propensityUpdates.power.data();
  int* list = scratch.propensityUpdates.needsPow.data();
  const Pair divisor = Broadcast(constants.firstOrderDivisor);
  const Pair costScale = Broadcast(m.costScale);
  const Pair sanctionTerm = Broadcast(z);
  const Pair zero = Broadcast(0.0);
  const Pair one = Broadcast(1.0);
  const Pair all = Equal(zero, zero);
  const Pair response = Broadcast(logistic[0] * attrI[0]);
  const Pair e = Broadcast(attrE[0]);
  const Pair share = Broadcast(attrR[0]);
  const Pair actedSignal = FirstOrderSignal<kSanctions>(response, all, sanctionTerm,
                                                        CostOf(all, share, costScale), e, divisor);
  const Pair idleSignal = FirstOrderSignal<kSanctions>(response, zero, sanctionTerm,
                                                       CostOf(zero, share, costScale), e, divisor);
  const int uniformEnd = UniformEnd(uniform, m.agentCount);
  int count = 0;
  const auto listInside = [&](int i) {
    const Pair p = Load(propensity + i);
    Store(power + i, p);
    AppendWhere(Bits(And(LessThan(zero, p), LessThan(p, one))), i, list, count);
  };
  for (int i = 0; i < uniformEnd; i += kLaneCount) {
    Store(signal + i, Select(Load(volunteerMask + i), actedSignal, idleSignal));
    listInside(i);
  }
  for (int i = uniformEnd; i < paddedCount; i += kLaneCount) {
    const Pair volunteers = Load(volunteerMask + i);
    Store(signal + i,
          FirstOrderSignal<kSanctions>(Load(logistic + i) * Load(attrI + i), volunteers,
                                       sanctionTerm, CostOf(volunteers, Load(attrR + i), costScale),
                                       Load(attrE + i), divisor));
    listInside(i);
  }
  scratch.propensityUpdates.powCount = count;
}

void ComputeSecondOrderSignals(const CPopulationModel& m, DynamicsScratch& scratch,
                               const DynamicsConstants& constants, int paddedCount, bool uniform) {
  using namespace lanes;
  const double* attrI = m.attrI.get();
  const double* attrE = m.attrE.get();
  const double* attrRPrime = m.attrRPrime.get();
  const double* sanctionPropensity = m.sanctionPropensity.get();
  const double* sanctionMask = scratch.sanctionMask.data();
  const double* logistic = scratch.logistic.data();
  double* signal = scratch.sanctionUpdates.towardsAction.data();
  double* power = scratch.sanctionUpdates.power.data();
  int* list = scratch.sanctionUpdates.needsPow.data();
  const Pair divisor = Broadcast(constants.secondOrderDivisor);
  const Pair costScale = Broadcast(m.sanctionCostScale);
  const Pair zero = Broadcast(0.0);
  const Pair one = Broadcast(1.0);
  const Pair response = Broadcast(logistic[0] * attrI[0]);
  const Pair e = Broadcast(attrE[0]);
  const Pair all = Equal(zero, zero);
  const Pair share = Broadcast(attrRPrime[0]);
  const Pair actedSignal = SecondOrderSignal(response, CostOf(all, share, costScale), e, divisor);
  const Pair idleSignal = SecondOrderSignal(response, CostOf(zero, share, costScale), e, divisor);
  const int uniformEnd = UniformEnd(uniform, m.agentCount);
  int count = 0;
  const auto turnAndList = [&](int i, Pair sanctioners, Pair s) {
    Store(signal + i, NegatedUnless(sanctioners, s));
    const Pair sp = Load(sanctionPropensity + i);
    Store(power + i, sp);
    const Pair moves =
        And(And(NotEqual(s, zero), NotEqual(sp, zero)), And(NotEqual(sp, one), Equal(sp, sp)));
    AppendWhere(Bits(moves), i, list, count);
  };
  for (int i = 0; i < uniformEnd; i += kLaneCount) {
    const Pair sanctioners = Load(sanctionMask + i);
    turnAndList(i, sanctioners, Select(sanctioners, actedSignal, idleSignal));
  }
  for (int i = uniformEnd; i < paddedCount; i += kLaneCount) {
    const Pair sanctioners = Load(sanctionMask + i);
    turnAndList(i, sanctioners,
                SecondOrderSignal(Load(logistic + i) * Load(attrI + i),
                                  CostOf(sanctioners, Load(attrRPrime + i), costScale),
                                  Load(attrE + i), divisor));
  }
  scratch.sanctionUpdates.powCount = count;
}

}  // namespace

void StepPasses::PrepareUpdates(double z) {
  if (m_.sanctionsOn) {
    ComputeFirstOrderSignals<true>(m_, scratch_, constants_, paddedCount_, uniformFirstOrder_, z);
    ComputeSecondOrderSignals(m_, scratch_, constants_, paddedCount_, uniformSecondOrder_);
  } else {
    ComputeFirstOrderSignals<false>(m_, scratch_, constants_, paddedCount_, uniformFirstOrder_,
                                    0.0);
  }
}

void StepPasses::ApplyUpdates() {
  using namespace lanes;
  double* propensity = m_.propensity.get();
  double* sanctionPropensity = m_.sanctionPropensity.get();
  const DynamicsScratch::Updates& first = scratch_.propensityUpdates;
  const DynamicsScratch::Updates& second = scratch_.sanctionUpdates;
  for (int i = 0; i < paddedCount_; i += kLaneCount) {
    Store(propensity + i, UpdatedPropensity(Load(propensity + i), Load(first.power.data() + i),
                                            Load(first.towardsAction.data() + i)));
    if (m_.sanctionsOn) {
      Store(sanctionPropensity + i,
            UpdatedSanctionPropensity(Load(sanctionPropensity + i), Load(second.power.data() + i),
                                      Load(second.towardsAction.data() + i)));
    }
  }
}

// Nothing reads the flags and costs during the run, the passes use the masks;
// they are written once, from the last step's masks.
void StepPasses::StoreDecisionFlags() {
  using namespace lanes;
  const double* volunteerMask = scratch_.volunteerMask.data();
  const double* sanctionMask = scratch_.sanctionMask.data();
  const double* attrR = m_.attrR.get();
  const double* attrRPrime = m_.attrRPrime.get();
  std::int32_t* volunteered = m_.volunteered.get();
  std::int32_t* sanctioned = m_.sanctioned.get();
  double* volunteerCost = m_.volunteerCost.get();
  double* sanctionCost = m_.sanctionCost.get();
  const Pair costScale = Broadcast(m_.costScale);
  const Pair sanctionCostScale = Broadcast(m_.sanctionCostScale);
  for (int i = 0; i < paddedCount_; i += kLaneCount) {
    const Pair volunteers = Load(volunteerMask + i);
    StoreFlags(volunteered + i, volunteers);
    Store(volunteerCost + i, CostOf(volunteers, Load(attrR + i), costScale));
    if (m_.sanctionsOn) {
      const Pair sanctions = Load(sanctionMask + i);
      StoreFlags(sanctioned + i, sanctions);
      Store(sanctionCost + i, CostOf(sanctions, Load(attrRPrime + i), sanctionCostScale));
    }
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
