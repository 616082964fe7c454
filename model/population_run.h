#pragma once

#include <algorithm>

#include "model/dynamics_pass.h"
#include "model/population_model.h"
#include "model/population_sampling.h"

namespace model {

template <class Math>
void CPopulationModel::RunWith(const RunArguments& arguments) {
  // The flag is stored before the checks, so a rejected run still updates it.
  sanctionsOn = arguments.sanctionsOn != 0;
  if (!PassesChecks(arguments)) return;

  slopeM = arguments.slopeM;
  agentCount = arguments.agentCount;
  paramJ = arguments.paramJ;
  paramX = arguments.paramX;
  countR = std::min(arguments.requestedCountR, agentCount);
  countRPrime = std::min(arguments.requestedCountRPrime, agentCount);
  AllocateAgentArrays();
  paramJPrime = arguments.paramJPrime;
  paramM = arguments.paramM;

  runSeed = fixedSeed.has_value() ? *fixedSeed : seedClock();
  CRandomSource random(runSeed);
  ComputeDerivedConstants<Math>();
  SamplePopulation<Math>(arguments, random);
  RunDynamics<Math>();
}

template <class Math>
void CPopulationModel::ComputeDerivedConstants() {
  const double n = agentCount;
  nPowMinusJ = Math::Pow(n, -paramJ);
  nPowMinusJPrime = Math::Pow(n, -paramJPrime);
  costScale = nPowMinusJ * n;
  sanctionCostScale = nPowMinusJPrime * n;
}

}  // namespace model
