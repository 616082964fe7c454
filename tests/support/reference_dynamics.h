#pragma once

#include <array>
#include <vector>

#include "model/population_model.h"

namespace model::reference {

// One call of exp (second argument unused) or pow.
struct TranscendentalCall {
  bool isPow;
  double first;
  double second;
};

using Series = std::array<std::vector<float>, kSeriesCount>;

// Replays the contribution dynamics on a model's sampled attributes and
// parameters the straightforward way: per agent and step one exp for the
// logistic response and, with sanctions on, the power of S2, plus one power per
// update. Serves as an oracle for the optimised dynamics and as the list of
// transcendental calls a straightforward run makes. calls may be null.
Series ReplayDynamics(const CPopulationModel& model, std::vector<TranscendentalCall>* calls);

// The update rule as the replay applies it: a zero signal leaves p alone,
// otherwise q = p to the power 1 / |s| and p moves by (1 - q) * s towards the
// action taken.
double UpdatePropensity(double p, double s, bool tookAction);

}  // namespace model::reference
