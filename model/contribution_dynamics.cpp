#include <algorithm>
#include <bit>
#include <cstdint>

#include "model/agent_padding.h"
#include "model/decision_sequence.h"
#include "model/dynamics_pass.h"

namespace model::dynamics {
namespace {

float ClampUnit(float v) {
  if (v > 1.0f) return 1.0f;
  if (v < 0.0f) return 0.0f;
  return v;
}

// Draws taken per agent and step: one decision, or two with sanctions.
int DrawsPerAgent(bool sanctions) {
  return sanctions ? 2 : 1;
}

// A Constant threshold: one exponential serves every agent.
bool ThresholdsAllEqual(const CPopulationModel& m) {
  const double* attrT = m.attrT.get();
  return std::all_of(attrT, attrT + m.agentCount, [attrT](double t) { return t == attrT[0]; });
}

}  // namespace

StepPasses::StepPasses(CPopulationModel& model, DynamicsScratch& scratch, const LanePasses& lanes)
    : lanes_(lanes),
      state_{model,
             scratch,
             {static_cast<double>(model.slopeM), (1.0 - model.paramX) * 0.5,
              model.nPowMinusJ + (model.sanctionsOn ? 2.0 : 1.0), model.nPowMinusJPrime + 1.0},
             PaddedCount(model.agentCount, lanes.laneCount),
             ThresholdsAllEqual(model),
             false,
             false,
             0} {
  state_.uniformFirstOrder = SharesResponseAndE(model.attrR.get());
  state_.uniformSecondOrder = model.sanctionsOn && SharesResponseAndE(model.attrRPrime.get());
  PrepareDrawTable();
}

// Every run takes the same draws, so the table depends only on the number of
// agents and on sanctions, and is kept for the next run of the same kind.
// With sanctions the decisions take alternate draws; each kind then has a
// table of its own, so that a step reads its agents' draws contiguously. The
// table runs past a period by a padded count of agents of the widest lanes,
// so that it serves every path.
void StepPasses::PrepareDrawTable() {
  static const DecisionTable kDraws;
  const CPopulationModel& m = state_.m;
  DynamicsScratch::DrawTable& table = state_.scratch.draws;
  const int perAgent = DrawsPerAgent(m.sanctionsOn);
  const int period = static_cast<int>(kDecisionPeriod) / perAgent;
  if (table.period == period && table.agentCount == m.agentCount) return;
  const auto size = static_cast<std::size_t>(period + PaddedCount(m.agentCount, kWidestLaneCount));
  table.firstOrder.resize(size);
  table.secondOrder.resize(m.sanctionsOn ? size : 0);
  for (std::size_t j = 0; j < size; ++j) {
    const auto n = static_cast<unsigned>(j % static_cast<std::size_t>(period)) * perAgent;
    table.firstOrder[j] = kDraws[n];
    if (m.sanctionsOn) table.secondOrder[j] = kDraws[n + 1];
  }
  table.period = period;
  table.agentCount = m.agentCount;
}

// Bit for bit, so that a 0 of either sign is not taken for the other.
bool StepPasses::SharesResponseAndE(const double* shares) const {
  const int count = state_.m.agentCount;
  const auto allSame = [count](const double* values) {
    return std::all_of(values, values + count, [values](double v) {
      return std::bit_cast<std::uint64_t>(v) == std::bit_cast<std::uint64_t>(values[0]);
    });
  };
  return state_.sharedThreshold && allSame(state_.m.attrI.get()) && allSame(state_.m.attrE.get()) &&
         allSame(shares);
}

StepTotals StepPasses::NextStep(const StepTotals& totals) {
  state_.drawStart = (state_.drawStart + state_.m.agentCount) % state_.scratch.draws.period;
  return totals;
}

void StepPasses::RecordPoint(int k, const StepTotals& totals) {
  CPopulationModel& m = state_.m;
  if (totals.nonVolunteerCount != 0) {
    m.meanPropensityNonVolunteers[k] =
        ClampUnit(static_cast<float>(totals.nonVolunteerSum / totals.nonVolunteerCount));
  }
  if (totals.volunteerCount != 0) {
    m.meanPropensityVolunteers[k] =
        ClampUnit(static_cast<float>(totals.volunteerSum / totals.volunteerCount));
  }
  m.meanPropensity[k] = ClampUnit(static_cast<float>(totals.propensitySum / m.agentCount));
  m.firstOrderRate[k] = static_cast<float>(totals.s1);
  m.secondOrderRate[k] = static_cast<float>(totals.s2);
}

void StepPasses::ShowStep(int k, StepObserver& observer) const {
  const CPopulationModel& m = state_.m;
  observer.Observe(StepState{k, m.agentCount, m.sanctionsOn, m.propensity.get(),
                             m.sanctionPropensity.get(), state_.scratch.volunteerMask.data(),
                             state_.scratch.sanctionMask.data()});
}

}  // namespace model::dynamics
