#include "abc/proposal_maker.h"

#include <algorithm>
#include <cmath>

#include "abc/particle_seeds.h"

namespace abc {
namespace {

// A move leaves the priors only near their ends, about half of the time at
// worst; after this many it stays where its particle is, which never happens
// in practice and keeps a degenerate kernel from hanging the fit.
constexpr int kMaxMoves = 1 << 20;

}  // namespace

ProposalMaker::ProposalMaker(std::span<const PriorRange> priors, std::int32_t seed)
    : priors_(priors), seed_(seed) {}

ProposalMaker::ProposalMaker(std::span<const PriorRange> priors, std::int32_t seed,
                             std::size_t index, const Population& last)
    : priors_(priors), seed_(seed), index_(index), last_(&last) {
  kernel_.emplace(priors, last);
  double sum = 0.0;
  for (const Particle& particle : last.particles) {
    sum += particle.weight;
    cumulative_.push_back(sum);
  }
}

std::int32_t ProposalMaker::Seed(std::uint64_t j) const {
  return ParticleRunSeed(seed_, index_, j);
}

void ProposalMaker::Make(std::uint64_t j, std::span<double> theta) const {
  RandomStream random(ProposalKey(seed_, index_, j));
  if (last_ == nullptr) {
    FromPriors(random, theta);
  } else {
    FromLast(random, theta);
  }
}

void ProposalMaker::FromPriors(RandomStream& random, std::span<double> theta) const {
  for (std::size_t i = 0; i < priors_.size(); ++i) {
    const PriorRange& prior = priors_[i];
    if (prior.whole) {
      const auto count = static_cast<std::uint64_t>(prior.high - prior.low) + 1;
      theta[i] = prior.low + static_cast<double>(random.Below(count));
    } else {
      theta[i] = prior.low + (prior.high - prior.low) * random.Uniform();
    }
  }
}

void ProposalMaker::FromLast(RandomStream& random, std::span<double> theta) const {
  const std::size_t size = cumulative_.size();
  std::size_t picked = 0;
  for (int move = 0; move < kMaxMoves; ++move) {
    // The particle whose share of the summed weights holds the draw.
    const double draw = random.Uniform() * cumulative_.back();
    picked = static_cast<std::size_t>(
        std::upper_bound(cumulative_.begin(), cumulative_.end(), draw) - cumulative_.begin());
    picked = std::min(picked, size - 1);
    kernel_->Perturb(last_->particles[picked].theta, random, theta);
    if (InsidePriors(priors_, theta)) return;
  }
  std::copy(last_->particles[picked].theta.begin(), last_->particles[picked].theta.end(),
            theta.begin());
}

}  // namespace abc
