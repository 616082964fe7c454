#include <algorithm>
#include <cmath>

#include "model/decision_sequence.h"
#include "model/population_model.h"
#include "model/update_rule.h"

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

}  // namespace

void CPopulationModel::RunDynamics() {
  if (agentCount <= 0) return;
  for (auto* series : {&firstOrderRate, &secondOrderRate, &meanPropensityVolunteers,
                       &meanPropensityNonVolunteers, &meanPropensity}) {
    if (!*series) *series = std::make_unique<float[]>(kStepCount);
    std::fill_n(series->get(), kStepCount, 0.0f);
  }

  const int n = agentCount;
  const double slope = slopeM;
  const double shift = (1.0 - paramX) * 0.5;
  const double firstOrderDivisor = nPowMinusJ + (sanctionsOn ? 2.0 : 1.0);
  const double secondOrderDivisor = nPowMinusJPrime + 1.0;
  DecisionSequence decisions;

  for (int k = 0; k < kStepCount; ++k) {
    StepTotals totals;
    for (int i = 0; i < n; ++i) {
      const double p = propensity[i];
      if (decisions.Next() <= p) {
        volunteerCost[i] = attrR[i] * costScale;
        volunteered[i] = 1;
        totals.s1 += attrR[i];
        totals.volunteerSum += p;
        ++totals.volunteerCount;
      } else {
        volunteerCost[i] = 0.0;
        volunteered[i] = 0;
        totals.nonVolunteerSum += p;
        ++totals.nonVolunteerCount;
      }
      totals.propensitySum += p;
      if (sanctionsOn) {
        if (decisions.Next() <= sanctionPropensity[i]) {
          sanctionCost[i] = attrRPrime[i] * sanctionCostScale;
          sanctioned[i] = 1;
          totals.s2 += attrRPrime[i];
        } else {
          sanctionCost[i] = 0.0;
          sanctioned[i] = 0;
        }
      }
    }

    // The sanction term is the same for every agent of a step.
    const double z = sanctionsOn ? std::pow(totals.s2, paramM) : 0.0;
    double previousThreshold = 0.0;
    double logistic = 0.0;
    for (int i = 0; i < n; ++i) {
      // Agents sharing a threshold share the logistic response of the step.
      if (i == 0 || attrT[i] != previousThreshold) {
        previousThreshold = attrT[i];
        logistic = 1.0 / (1.0 + std::exp(slope * (attrT[i] - totals.s1))) - shift;
      }
      const double response = logistic * attrI[i];
      const bool volunteeredNow = volunteered[i] != 0;
      const double firstOrderPull = sanctionsOn ? response + (volunteeredNow ? z : -z) : response;
      const double s = (firstOrderPull - volunteerCost[i]) * attrE[i] / firstOrderDivisor;
      double p = UpdatePropensity(propensity[i], s, volunteeredNow);
      if (p > 1.0) p = 1.0;
      if (p < 0.0) p = 0.0;
      propensity[i] = p;
      if (sanctionsOn) {
        const double s2 = (response - sanctionCost[i]) * attrE[i] / secondOrderDivisor;
        sanctionPropensity[i] = UpdatePropensity(sanctionPropensity[i], s2, sanctioned[i] != 0);
      }
    }

    if (totals.nonVolunteerCount != 0) {
      meanPropensityNonVolunteers[k] =
          ClampUnit(static_cast<float>(totals.nonVolunteerSum / totals.nonVolunteerCount));
    }
    if (totals.volunteerCount != 0) {
      meanPropensityVolunteers[k] =
          ClampUnit(static_cast<float>(totals.volunteerSum / totals.volunteerCount));
    }
    meanPropensity[k] = ClampUnit(static_cast<float>(totals.propensitySum / n));
    firstOrderRate[k] = static_cast<float>(totals.s1);
    secondOrderRate[k] = static_cast<float>(totals.s2);
  }
}

}  // namespace model
