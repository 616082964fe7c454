#include "abc/abc_smc.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "abc/importance_weights.h"
#include "abc/perturbation_kernel.h"
#include "abc/proposal_maker.h"

namespace abc {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// A batch asks for this much more than the acceptance rate so far promises,
// so that most populations fill in one batch.
constexpr double kBatchMargin = 1.1;
constexpr std::uint64_t kMinBatch = 64;
constexpr std::uint64_t kMaxBatch = 1 << 18;
// The rate assumed when none has been seen yet: none accepted so far.
constexpr double kRateShrink = 0.5;

// The distance at rank ceil(q * n) (from 1) of the sorted distances: at least
// that share of the population lies within it. When that is the population's
// own tolerance (distances that take few values, such as counts, pile up on
// it), the largest distance below it, so that the tolerance keeps falling.
double NextTolerance(const Population& population, double q) {
  std::vector<double> distances;
  distances.reserve(population.particles.size());
  for (const Particle& particle : population.particles) distances.push_back(particle.distance);
  std::sort(distances.begin(), distances.end());
  const double rank = std::ceil(q * static_cast<double>(distances.size()));
  const std::size_t at =
      std::clamp<std::size_t>(static_cast<std::size_t>(rank), 1, distances.size());
  const double quantile = distances[at - 1];
  if (quantile < population.tolerance) return quantile;
  const auto below = std::lower_bound(distances.begin(), distances.end(), population.tolerance);
  return below == distances.begin() ? quantile : *(below - 1);
}

std::uint64_t BatchSize(std::size_t missing, double rate, std::uint64_t remaining) {
  const double wanted = std::ceil(static_cast<double>(missing) / rate * kBatchMargin);
  const double capped = std::min(wanted, static_cast<double>(kMaxBatch));
  const auto size = std::max<std::uint64_t>(static_cast<std::uint64_t>(capped), kMinBatch);
  return std::min(size, remaining);
}

// One population's making: proposals batch by batch until it is full.
class PopulationRun {
 public:
  PopulationRun(std::span<const PriorRange> priors, const FitSettings& settings,
                Simulator& simulator, FitResult& result)
      : priors_(priors), settings_(settings), simulator_(simulator), result_(result) {}

  // The next population, or nothing when the fit ends first (result_.end says why).
  std::optional<Population> Make(const ProposalMaker& maker, std::size_t index, double tolerance,
                                 double expectedRate) {
    Population population;
    population.index = index;
    population.tolerance = tolerance;
    double rate = expectedRate;
    std::uint64_t proposals = 0;
    std::uint64_t lastAccepted = 0;
    ProposalBatch batch;
    batch.dimension = priors_.size();
    std::vector<double> distances;
    while (population.particles.size() < settings_.particles) {
      const std::uint64_t remaining = settings_.budget - result_.simulations;
      if (remaining == 0) {
        result_.end = FitEnd::kBudget;
        return std::nullopt;
      }
      const std::size_t missing = settings_.particles - population.particles.size();
      const std::uint64_t size = BatchSize(missing, rate, remaining);
      Fill(maker, proposals, size, batch);
      distances.assign(size, kInfinity);
      const SimulationOutcome outcome = simulator_.Simulate(batch, distances);
      if (outcome.end != SimulationOutcome::End::kDone) {
        result_.end =
            outcome.end == SimulationOutcome::End::kStopped ? FitEnd::kStopped : FitEnd::kFailed;
        result_.failure = outcome.failure;
        return std::nullopt;
      }
      result_.simulations += size;
      population.simulations += size;
      for (std::size_t i = 0; i < size && population.particles.size() < settings_.particles; ++i) {
        if (!(distances[i] <= tolerance)) continue;
        const std::span<const double> theta = batch.Parameters(i);
        population.particles.push_back(
            {{theta.begin(), theta.end()}, 0.0, distances[i], batch.seeds[i], proposals + i});
        lastAccepted = proposals + i;
      }
      proposals += size;
      const double seen =
          static_cast<double>(population.particles.size()) / static_cast<double>(proposals);
      rate = population.particles.empty()
                 ? std::min(rate, 1.0 / static_cast<double>(proposals)) * kRateShrink
                 : seen;
    }
    population.acceptanceRate =
        static_cast<double>(population.particles.size()) / static_cast<double>(lastAccepted + 1);
    return population;
  }

 private:
  void Fill(const ProposalMaker& maker, std::uint64_t first, std::uint64_t size,
            ProposalBatch& batch) const {
    const std::size_t dimension = priors_.size();
    batch.values.assign(size * dimension, 0.0);
    batch.seeds.resize(size);
    for (std::uint64_t i = 0; i < size; ++i) {
      maker.Make(first + i, std::span<double>(batch.values).subspan(i * dimension, dimension));
      batch.seeds[i] = maker.Seed(first + i);
    }
  }

  std::span<const PriorRange> priors_;
  const FitSettings& settings_;
  Simulator& simulator_;
  FitResult& result_;
};

// Why the fit ends after last, if it does.
std::optional<FitEnd> EndAfter(const Population& last, const FitSettings& settings) {
  if (last.tolerance <= settings.finalTolerance) return FitEnd::kFinalTolerance;
  if (last.index > 0 && last.acceptanceRate < settings.minAcceptance) return FitEnd::kAcceptance;
  if (settings.maxPopulations != 0 && last.index + 1 >= settings.maxPopulations) {
    return FitEnd::kPopulations;
  }
  return std::nullopt;
}

}  // namespace

std::string FitSettingsRefusal(std::span<const PriorRange> priors, const FitSettings& settings) {
  if (priors.empty()) return "no parameter to fit";
  if (priors.size() > PerturbationKernel::kMaxParameters) {
    return "more than " + std::to_string(PerturbationKernel::kMaxParameters) + " parameters to fit";
  }
  for (const PriorRange& prior : priors) {
    if (!(prior.low < prior.high) || !std::isfinite(prior.low) || !std::isfinite(prior.high)) {
      return "a prior's low end must lie below its high end";
    }
    if (prior.whole &&
        (prior.low != std::floor(prior.low) || prior.high != std::floor(prior.high))) {
      return "a count's prior must run between whole numbers";
    }
  }
  if (settings.particles < 2) return "a population needs at least 2 particles";
  if (!(settings.quantile > 0.0 && settings.quantile < 1.0)) {
    return "the quantile must lie between 0 and 1";
  }
  if (settings.budget < settings.particles) {
    return "the budget must at least pay for the first population (" +
           std::to_string(settings.particles) + " simulations)";
  }
  if (!(settings.finalTolerance >= 0.0)) return "the final tolerance must be 0 or more";
  if (!(settings.minAcceptance >= 0.0 && settings.minAcceptance <= 1.0)) {
    return "the minimum acceptance rate must lie from 0 to 1";
  }
  return {};
}

FitResult RunAbcSmc(std::span<const PriorRange> priors, const FitSettings& settings,
                    Simulator& simulator, const PopulationCallback& populationDone) {
  FitResult result;
  PopulationRun run(priors, settings, simulator, result);
  std::optional<Population> first =
      run.Make(ProposalMaker(priors, settings.seed), 0, kInfinity, 1.0);
  if (!first) return result;
  SetEqualWeights(*first);
  result.populations.push_back(std::move(*first));
  if (populationDone) populationDone(result.populations.back());
  while (true) {
    const Population& last = result.populations.back();
    if (const std::optional<FitEnd> end = EndAfter(last, settings)) {
      result.end = *end;
      return result;
    }
    const double tolerance =
        std::max(NextTolerance(last, settings.quantile), settings.finalTolerance);
    // Population 1 keeps about the quantile's share of what the priors give.
    const double expectedRate = last.index == 0 ? settings.quantile : last.acceptanceRate;
    const ProposalMaker maker(priors, settings.seed, last.index + 1, last);
    std::optional<Population> next = run.Make(maker, last.index + 1, tolerance, expectedRate);
    if (!next) return result;
    SetImportanceWeights(*next, last, *maker.Kernel());
    result.populations.push_back(std::move(*next));
    if (populationDone) populationDone(result.populations.back());
  }
}

std::string DescribeFitEnd(FitEnd end) {
  switch (end) {
    case FitEnd::kFinalTolerance:
      return "the final tolerance was reached";
    case FitEnd::kAcceptance:
      return "the acceptance rate fell below the minimum";
    case FitEnd::kPopulations:
      return "the last population allowed was made";
    case FitEnd::kBudget:
      return "the budget of simulations would not pay for another population";
    case FitEnd::kStopped:
      return "the fit was stopped";
    case FitEnd::kFailed:
      return "a simulation failed";
  }
  return {};
}

}  // namespace abc
