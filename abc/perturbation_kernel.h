#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "abc/population.h"
#include "abc/prior_range.h"
#include "abc/random_stream.h"

namespace abc {

// How a particle of the last population moves to make a proposal: the
// parameters on a continuous range together by a normal step whose covariance
// is twice the population's weighted covariance (Beaumont, Cornuet, Marin and
// Robert 2009), the whole ones (counts) each on its own by a normal step of
// twice the weighted variance rounded to the nearest whole number. A whole
// parameter's step is never narrower than kMinWholeSigma, so a count on which
// every particle agrees can still move.
class PerturbationKernel {
 public:
  // The most parameters a fit moves at once.
  static constexpr std::size_t kMaxParameters = 16;
  static constexpr double kMinWholeSigma = 0.5;

  PerturbationKernel(std::span<const PriorRange> priors, const Population& population);

  // A step from `from` into `to` (both of the priors' length).
  void Perturb(std::span<const double> from, RandomStream& random, std::span<double> to) const;

  // The chance, up to a factor the same for every pair, that a step from
  // `from` ends at `to`: a density in the continuous parameters times a
  // probability in the whole ones.
  double Density(std::span<const double> to, std::span<const double> from) const;

  // The covariance of the continuous step, row by row, over the continuous
  // parameters in their order; and the whole parameters' sigmas.
  std::vector<double> ContinuousCovariance() const;
  const std::vector<double>& WholeSigmas() const { return wholeSigma_; }

 private:
  std::vector<std::size_t> continuous_;  // indices of the continuous parameters
  std::vector<std::size_t> whole_;       // and of the whole ones
  std::vector<double> cholesky_;         // lower factor of the continuous covariance
  std::vector<double> wholeSigma_;       // by position in whole_
};

}  // namespace abc
