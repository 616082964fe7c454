#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "abc/perturbation_kernel.h"
#include "abc/population.h"
#include "abc/prior_range.h"

namespace abc {

// Makes the proposals of one population, each from the random stream of its
// own place (particle_seeds.h): from the priors for population 0, from the
// last population through its kernel after that.
class ProposalMaker {
 public:
  // Population 0.
  ProposalMaker(std::span<const PriorRange> priors, std::int32_t seed);
  // Population index > 0, moving the particles of last.
  ProposalMaker(std::span<const PriorRange> priors, std::int32_t seed, std::size_t index,
                const Population& last);

  // Proposal j's parameters into theta (of the priors' length).
  void Make(std::uint64_t j, std::span<double> theta) const;
  std::int32_t Seed(std::uint64_t j) const;

  // The kernel the proposals are moved by; empty for population 0.
  const std::optional<PerturbationKernel>& Kernel() const { return kernel_; }

 private:
  void FromPriors(RandomStream& random, std::span<double> theta) const;
  void FromLast(RandomStream& random, std::span<double> theta) const;

  std::span<const PriorRange> priors_;
  std::int32_t seed_;
  std::size_t index_ = 0;
  const Population* last_ = nullptr;
  std::optional<PerturbationKernel> kernel_;
  std::vector<double> cumulative_;  // the last population's weights, summed up
};

}  // namespace abc
