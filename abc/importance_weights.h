#pragma once

#include "abc/perturbation_kernel.h"
#include "abc/population.h"

namespace abc {

// Sets the weights of next's particles, proposed by moving last's particles
// through kernel: each the prior density (the same everywhere inside uniform
// priors) over the weighted sum of the kernel's chances of reaching it from
// every particle of last, then all scaled to add up to 1.
void SetImportanceWeights(Population& next, const Population& last,
                          const PerturbationKernel& kernel);

// Weights that add up to 1, all alike (population 0).
void SetEqualWeights(Population& population);

// 1 / sum of squared weights: how many equally weighted particles the
// population is worth.
double EffectiveSampleSize(const Population& population);

}  // namespace abc
