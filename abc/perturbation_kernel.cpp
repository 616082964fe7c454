#include "abc/perturbation_kernel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace abc {
namespace {

constexpr double kKernelScale = 2.0;  // twice the population's spread
// Added to the diagonal, relative to each prior's width squared, so that a
// population spread over fewer dimensions than it has still has a factor.
constexpr double kRidge = 1e-12;
constexpr int kRidgeTries = 60;
constexpr double kHalf = 0.5;  // a whole number's share of the line either side
constexpr double kRidgeGrowth = 10.0;

double Square(double x) {
  return x * x;
}

// The weighted covariance of the chosen parameters, row by row.
std::vector<double> WeightedCovariance(const Population& population,
                                       const std::vector<std::size_t>& chosen) {
  const std::size_t n = chosen.size();
  std::vector<double> mean(n, 0.0);
  double total = 0.0;
  for (const Particle& particle : population.particles) {
    total += particle.weight;
    for (std::size_t a = 0; a < n; ++a) mean[a] += particle.weight * particle.theta[chosen[a]];
  }
  for (double& m : mean) m /= total;
  std::vector<double> covariance(n * n, 0.0);
  for (const Particle& particle : population.particles) {
    for (std::size_t a = 0; a < n; ++a) {
      const double da = particle.theta[chosen[a]] - mean[a];
      for (std::size_t b = 0; b <= a; ++b) {
        covariance[a * n + b] += particle.weight * da * (particle.theta[chosen[b]] - mean[b]);
      }
    }
  }
  for (std::size_t a = 0; a < n; ++a) {
    for (std::size_t b = 0; b <= a; ++b) {
      covariance[a * n + b] /= total;
      covariance[b * n + a] = covariance[a * n + b];
    }
  }
  return covariance;
}

// The lower Cholesky factor of a symmetric matrix, or empty when it is not
// positive definite.
std::vector<double> Cholesky(const std::vector<double>& matrix, std::size_t n) {
  std::vector<double> lower(n * n, 0.0);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j <= i; ++j) {
      double sum = matrix[i * n + j];
      for (std::size_t k = 0; k < j; ++k) sum -= lower[i * n + k] * lower[j * n + k];
      if (i == j) {
        if (!(sum > 0.0)) return {};
        lower[i * n + i] = std::sqrt(sum);
      } else {
        lower[i * n + j] = sum / lower[j * n + j];
      }
    }
  }
  return lower;
}

double NormalCdf(double x) {
  return 0.5 * std::erfc(-x / std::numbers::sqrt2);
}

}  // namespace

PerturbationKernel::PerturbationKernel(std::span<const PriorRange> priors,
                                       const Population& population) {
  for (std::size_t i = 0; i < priors.size(); ++i)
    (priors[i].whole ? whole_ : continuous_).push_back(i);
  const std::vector<double> spread = WeightedCovariance(population, continuous_);
  const std::size_t n = continuous_.size();
  double ridge = kRidge;
  for (int attempt = 0; attempt < kRidgeTries && cholesky_.empty() && n > 0; ++attempt) {
    std::vector<double> covariance(n * n);
    for (std::size_t a = 0; a < n * n; ++a) covariance[a] = kKernelScale * spread[a];
    for (std::size_t a = 0; a < n; ++a) {
      const PriorRange& prior = priors[continuous_[a]];
      covariance[a * n + a] += ridge * Square(prior.high - prior.low);
    }
    cholesky_ = Cholesky(covariance, n);
    ridge *= kRidgeGrowth;
  }
  if (n > 0 && cholesky_.empty()) throw std::runtime_error("the particles' spread has no factor");
  const std::vector<double> wholeSpread = WeightedCovariance(population, whole_);
  for (std::size_t a = 0; a < whole_.size(); ++a) {
    const double sigma = std::sqrt(kKernelScale * wholeSpread[a * whole_.size() + a]);
    wholeSigma_.push_back(std::max(sigma, kMinWholeSigma));
  }
}

void PerturbationKernel::Perturb(std::span<const double> from, RandomStream& random,
                                 std::span<double> to) const {
  std::copy(from.begin(), from.end(), to.begin());
  const std::size_t n = continuous_.size();
  std::array<double, kMaxParameters> z{};
  for (std::size_t a = 0; a < n; ++a) z[a] = random.Normal();
  for (std::size_t a = 0; a < n; ++a) {
    double step = 0.0;
    for (std::size_t b = 0; b <= a; ++b) step += cholesky_[a * n + b] * z[b];
    to[continuous_[a]] += step;
  }
  for (std::size_t a = 0; a < whole_.size(); ++a) {
    to[whole_[a]] = std::round(from[whole_[a]] + wholeSigma_[a] * random.Normal());
  }
}

double PerturbationKernel::Density(std::span<const double> to, std::span<const double> from) const {
  const std::size_t n = continuous_.size();
  // Solves lower * y = to - from: the squared length of y is the step's
  // Mahalanobis distance.
  std::array<double, kMaxParameters> y{};
  double squared = 0.0;
  for (std::size_t a = 0; a < n; ++a) {
    double sum = to[continuous_[a]] - from[continuous_[a]];
    for (std::size_t b = 0; b < a; ++b) sum -= cholesky_[a * n + b] * y[b];
    y[a] = sum / cholesky_[a * n + a];
    squared += y[a] * y[a];
  }
  double density = std::exp(-0.5 * squared);
  for (std::size_t a = 0; a < whole_.size(); ++a) {
    // The step's chance of rounding to this offset, from the lower tail,
    // where the normal's distribution keeps its precision.
    const double offset = std::abs(to[whole_[a]] - from[whole_[a]]);
    const double sigma = wholeSigma_[a];
    density *= NormalCdf((kHalf - offset) / sigma) - NormalCdf((-kHalf - offset) / sigma);
  }
  return density;
}

std::vector<double> PerturbationKernel::ContinuousCovariance() const {
  const std::size_t n = continuous_.size();
  std::vector<double> covariance(n * n, 0.0);
  for (std::size_t a = 0; a < n; ++a) {
    for (std::size_t b = 0; b < n; ++b) {
      for (std::size_t k = 0; k <= std::min(a, b); ++k) {
        covariance[a * n + b] += cholesky_[a * n + k] * cholesky_[b * n + k];
      }
    }
  }
  return covariance;
}

}  // namespace abc
