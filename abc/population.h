#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace abc {

// One accepted proposal: its parameters (in the order of the fit's priors),
// its normalised importance weight, its distance to the observations and the
// seed of its run.
struct Particle {
  std::vector<double> theta;
  double weight = 0.0;
  double distance = 0.0;
  std::int32_t seed = 0;
  std::uint64_t proposal = 0;  // its place among the population's proposals
};

// One generation of the fit: the particles whose distance is at most its
// tolerance, and what it cost.
struct Population {
  std::size_t index = 0;
  double tolerance = 0.0;
  std::vector<Particle> particles;
  std::uint64_t simulations = 0;  // runs made for it, those after its last acceptance too
  double acceptanceRate = 1.0;    // particles over proposals up to the last one accepted
};

// The population's parameter p of every particle, in particle order.
std::vector<double> ParameterValues(const Population& population, std::size_t parameter);
std::vector<double> Weights(const Population& population);

}  // namespace abc
