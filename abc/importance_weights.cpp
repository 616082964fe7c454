#include "abc/importance_weights.h"

namespace abc {

void SetImportanceWeights(Population& next, const Population& last,
                          const PerturbationKernel& kernel) {
  double total = 0.0;
  for (Particle& particle : next.particles) {
    double mixture = 0.0;
    for (const Particle& from : last.particles) {
      mixture += from.weight * kernel.Density(particle.theta, from.theta);
    }
    particle.weight = 1.0 / mixture;
    total += particle.weight;
  }
  for (Particle& particle : next.particles) particle.weight /= total;
}

void SetEqualWeights(Population& population) {
  const double weight = 1.0 / static_cast<double>(population.particles.size());
  for (Particle& particle : population.particles) particle.weight = weight;
}

double EffectiveSampleSize(const Population& population) {
  double squares = 0.0;
  for (const Particle& particle : population.particles)
    squares += particle.weight * particle.weight;
  return 1.0 / squares;
}

}  // namespace abc
