#include "model/population_model.h"

#include <ctime>

#include "model/agent_padding.h"
#include "model/distribution_kind.h"
#include "model/population_run.h"

namespace model {

std::int32_t ClockSeed() {
  // Wraps modulo 2^32 past 2038, like the 32-bit clock it stands for.
  return static_cast<std::int32_t>(std::time(nullptr));
}

void CPopulationModel::Run(double paramJArg, double paramXArg, int distR, double medianR,
                           double sigmaR, int distI, double valueI, double sigmaI, int distT,
                           double valueT, double sigmaT, int distE, double valueE, double sigmaE,
                           int sanctionsOnArg, int distRPrime, double medianRPrime,
                           double sigmaRPrime, double paramJPrimeArg, double paramMArg,
                           double corrRRPrime, double corrRI, double corrRPrimeI, double corrET,
                           std::int32_t agentCountArg, std::int32_t requestedCountR,
                           std::int32_t requestedCountRPrime, std::int32_t reservedArg,
                           std::int32_t slopeMArg) {
  Run(RunArguments{paramJArg,      paramXArg,       distR,
                   medianR,        sigmaR,          distI,
                   valueI,         sigmaI,          distT,
                   valueT,         sigmaT,          distE,
                   valueE,         sigmaE,          sanctionsOnArg,
                   distRPrime,     medianRPrime,    sigmaRPrime,
                   paramJPrimeArg, paramMArg,       corrRRPrime,
                   corrRI,         corrRPrimeI,     corrET,
                   agentCountArg,  requestedCountR, requestedCountRPrime,
                   reservedArg,    slopeMArg});
}

void CPopulationModel::Run(const RunArguments& arguments) {
  RunWith<StandardMath>(arguments);
}

bool CPopulationModel::PassesChecks(const RunArguments& arguments) {
  for (const int kind :
       {arguments.distR, arguments.distI, arguments.distT, arguments.distE, arguments.distRPrime}) {
    if (!IsDistributionKind(kind)) {
      agentCount = 0;
      return false;
    }
  }
  for (const RunLimit& limit : kRunLimits) {
    if (limit.Rejects(limit.value(arguments))) {
      Reject(limit.message);
      return false;
    }
  }
  return true;
}

void CPopulationModel::Reject(std::string_view message) {
  if (notice) notice(message);
  agentCount = 0;
}

void CPopulationModel::AllocateAgentArrays() {
  // The dynamics reads and writes the agents in groups; a count that is not a
  // whole number of the widest groups gets more agents, left at 0, that never act.
  const int padded = PaddedCount(agentCount, kWidestLaneCount);
  const auto n = static_cast<std::size_t>(padded);
  // make_unique<T[]> value-initialises: every array starts at 0.
  propensity = std::make_unique<double[]>(n);
  sanctionPropensity = std::make_unique<double[]>(n);
  volunteerCost = std::make_unique<double[]>(n);
  sanctionCost = std::make_unique<double[]>(n);
  volunteered = std::make_unique<std::int32_t[]>(n);
  sanctioned = std::make_unique<std::int32_t[]>(n);
  attrR = std::make_unique<double[]>(n);
  attrE = std::make_unique<double[]>(n);
  attrI = std::make_unique<double[]>(n);
  attrT = std::make_unique<double[]>(n);
  attrRPrime = std::make_unique<double[]>(n);
  scratch_.Resize(padded);
}

void CPopulationModel::ReleaseArrays() {
  for (auto* array : {&attrE, &attrR, &attrI, &attrT, &attrRPrime, &propensity, &sanctionPropensity,
                      &volunteerCost, &sanctionCost}) {
    array->reset();
  }
  volunteered.reset();
  sanctioned.reset();
  for (auto* series : {&firstOrderRate, &secondOrderRate, &meanPropensityVolunteers,
                       &meanPropensityNonVolunteers, &meanPropensity}) {
    series->reset();
  }
}

SeriesPointers CPopulationModel::Series() const {
  return {firstOrderRate.get(), secondOrderRate.get(), meanPropensityVolunteers.get(),
          meanPropensityNonVolunteers.get(), meanPropensity.get()};
}

}  // namespace model
