#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "abc/population.h"
#include "abc/prior_range.h"
#include "abc/simulator.h"

namespace abc {

// Approximate Bayesian computation by sequential Monte Carlo, as a population
// Monte Carlo (Beaumont, Cornuet, Marin and Robert 2009): population 0 is
// drawn from the priors and keeps every proposal; each later population keeps
// the proposals whose distance is at most its tolerance, the chosen quantile
// of the last population's distances (never below the final tolerance; when
// that quantile is the last tolerance itself, the largest distance below it). A
// proposal is a particle of the last population, picked by weight, moved by
// the perturbation kernel fitted to that population, and picked again when
// the move leaves the priors. Its importance weight is the prior density over
// the mixture of kernels it may have come from.
//
// The proposals of a population are simulated in batches, in order, and are
// accepted in order until the population is full; the batch sizes follow from
// the particle count and earlier acceptance rates alone, so with the same
// settings and a simulator that depends only on parameters and seeds, the fit
// is the same whatever runs the simulations.

struct FitSettings {
  std::size_t particles = 500;
  double quantile = 0.5;           // of the last population's distances, in (0, 1)
  std::uint64_t budget = 100000;   // simulations at most, all populations together
  double finalTolerance = 0.0;     // stop once a population's tolerance is this or less
  double minAcceptance = 0.0;      // stop once a population accepts fewer of its proposals
  std::size_t maxPopulations = 0;  // stop after this many; 0 for no limit
  std::int32_t seed = 0;           // particle_seeds.h
};

enum class FitEnd {
  kFinalTolerance,  // the last population reached the final tolerance
  kAcceptance,      // the last population's acceptance rate fell below the minimum
  kPopulations,     // the last population was the last one allowed
  kBudget,          // the next population could not be finished within the budget
  kStopped,         // the simulator was stopped
  kFailed,          // the simulator failed
};

struct FitResult {
  FitEnd end = FitEnd::kBudget;
  std::string failure;
  std::vector<Population> populations;  // every finished population, the final one last
  std::uint64_t simulations = 0;        // the discarded unfinished population's too
};

// Called after each finished population, before the next starts.
using PopulationCallback = std::function<void(const Population&)>;

// Refusals of settings that cannot make a fit, as one line; empty when fine.
std::string FitSettingsRefusal(std::span<const PriorRange> priors, const FitSettings& settings);

// The fit; settings must pass FitSettingsRefusal.
FitResult RunAbcSmc(std::span<const PriorRange> priors, const FitSettings& settings,
                    Simulator& simulator, const PopulationCallback& populationDone = {});

// What the end means, as a clause: "the final tolerance was reached".
std::string DescribeFitEnd(FitEnd end);

}  // namespace abc
