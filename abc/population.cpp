#include "abc/population.h"

namespace abc {

std::vector<double> ParameterValues(const Population& population, std::size_t parameter) {
  std::vector<double> values;
  values.reserve(population.particles.size());
  for (const Particle& particle : population.particles) values.push_back(particle.theta[parameter]);
  return values;
}

std::vector<double> Weights(const Population& population) {
  std::vector<double> weights;
  weights.reserve(population.particles.size());
  for (const Particle& particle : population.particles) weights.push_back(particle.weight);
  return weights;
}

}  // namespace abc
