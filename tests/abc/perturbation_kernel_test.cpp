#include "abc/perturbation_kernel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "abc/random_stream.h"
#include "tests/support/case_name.h"

namespace abc {
namespace {

constexpr double kZ = 4.0;  // bands of four standard errors

// Particles along a tilted cloud: x spread over [0, 1], y following it with
// noise, both weighted unevenly.
Population Cloud(std::size_t size) {
  Population population;
  RandomStream random(7);
  double total = 0.0;
  for (std::size_t i = 0; i < size; ++i) {
    const double x = random.Uniform();
    const double y = 0.5 * x + 0.1 * random.Normal();
    const double weight = 0.5 + random.Uniform();
    population.particles.push_back({{x, y}, weight, 0.0, 0, i});
    total += weight;
  }
  for (Particle& particle : population.particles) particle.weight /= total;
  return population;
}

std::vector<double> TwiceWeightedCovariance(const Population& population) {
  double mx = 0.0;
  double my = 0.0;
  for (const Particle& p : population.particles) {
    mx += p.weight * p.theta[0];
    my += p.weight * p.theta[1];
  }
  double xx = 0.0;
  double xy = 0.0;
  double yy = 0.0;
  for (const Particle& p : population.particles) {
    xx += p.weight * (p.theta[0] - mx) * (p.theta[0] - mx);
    xy += p.weight * (p.theta[0] - mx) * (p.theta[1] - my);
    yy += p.weight * (p.theta[1] - my) * (p.theta[1] - my);
  }
  return {2 * xx, 2 * xy, 2 * xy, 2 * yy};
}

TEST(PerturbationKernel, MovesByTwiceTheWeightedCovariance) {
  const Population cloud = Cloud(500);
  const std::vector<PriorRange> priors = {{0.0, 1.0}, {-1.0, 1.0}};
  const PerturbationKernel kernel(priors, cloud);
  const std::vector<double> expected = TwiceWeightedCovariance(cloud);
  const std::vector<double> covariance = kernel.ContinuousCovariance();
  ASSERT_EQ(covariance.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_NEAR(covariance[i], expected[i], 1e-9) << i;

  // The steps it draws have that covariance, within sampling error.
  constexpr int kSteps = 40000;
  RandomStream random(11);
  const std::vector<double> from = {0.5, 0.0};
  std::vector<double> to(2);
  double xx = 0.0;
  double xy = 0.0;
  double yy = 0.0;
  for (int i = 0; i < kSteps; ++i) {
    kernel.Perturb(from, random, to);
    xx += (to[0] - from[0]) * (to[0] - from[0]);
    xy += (to[0] - from[0]) * (to[1] - from[1]);
    yy += (to[1] - from[1]) * (to[1] - from[1]);
  }
  const std::vector<double> seen = {xx / kSteps, xy / kSteps, xy / kSteps, yy / kSteps};
  for (std::size_t i = 0; i < 4; ++i) {
    // A product of two normals has variance at most twice the product of theirs.
    const double sd = std::sqrt(2 * expected[0] * expected[3] + 2 * expected[i] * expected[i]);
    EXPECT_NEAR(seen[i], expected[i], kZ * sd / std::sqrt(kSteps)) << i;
  }
}

TEST(PerturbationKernel, DensityFallsWithTheMahalanobisDistance) {
  const Population cloud = Cloud(200);
  const std::vector<PriorRange> priors = {{0.0, 1.0}, {-1.0, 1.0}};
  const PerturbationKernel kernel(priors, cloud);
  const std::vector<double> c = kernel.ContinuousCovariance();
  const double det = c[0] * c[3] - c[1] * c[2];
  const std::vector<double> from = {0.3, 0.1};
  const std::vector<std::vector<double>> steps = {{0.0, 0.0}, {0.1, 0.0}, {0.0, -0.2}, {0.3, 0.2}};
  for (const std::vector<double>& step : steps) {
    const std::vector<double> to = {from[0] + step[0], from[1] + step[1]};
    const double squared =
        (c[3] * step[0] * step[0] - 2 * c[1] * step[0] * step[1] + c[0] * step[1] * step[1]) / det;
    EXPECT_NEAR(kernel.Density(to, from), std::exp(-0.5 * squared), 1e-12);
  }
}

struct WholeCase {
  const char* name;
  std::vector<double> counts;  // every particle's count, equally weighted
};

// Twice the counts' variance as a sigma, or the least sigma a count moves by.
double ExpectedSigma(const std::vector<double>& counts) {
  double mean = 0.0;
  for (const double c : counts) mean += c / static_cast<double>(counts.size());
  double variance = 0.0;
  for (const double c : counts)
    variance += (c - mean) * (c - mean) / static_cast<double>(counts.size());
  return std::max(std::sqrt(2 * variance), PerturbationKernel::kMinWholeSigma);
}

const WholeCase kWholeCases[] = {
    {"SpreadCounts", {10, 12, 14, 20, 30}},
    {"CountsThatAgree", {7, 7, 7, 7}},
    {"CountsOneApart", {7, 8}},
    {"CountsAlmostAgree", {7, 7, 7, 7, 7, 7, 7, 7, 7, 8}},
};

class WholeSteps : public testing::TestWithParam<WholeCase> {};

TEST_P(WholeSteps, AreRoundedNormalStepsWhoseChancesAddUpToOne) {
  Population population;
  for (const double count : GetParam().counts) {
    population.particles.push_back(
        {{count}, 1.0 / static_cast<double>(GetParam().counts.size()), 0.0, 0, 0});
  }
  const std::vector<PriorRange> priors = {{0.0, 100.0, true}};
  const PerturbationKernel kernel(priors, population);
  ASSERT_EQ(kernel.WholeSigmas().size(), 1u);
  EXPECT_NEAR(kernel.WholeSigmas()[0], ExpectedSigma(GetParam().counts), 1e-12);

  constexpr int kReach = 200;  // twenty of the widest sigma
  const std::vector<double> from = {50.0};
  double total = 0.0;
  std::vector<double> chances;
  for (int offset = -kReach; offset <= kReach; ++offset) {
    const std::vector<double> to = {50.0 + offset};
    chances.push_back(kernel.Density(to, from));
    total += chances.back();
  }
  EXPECT_NEAR(total, 1.0, 1e-12);

  constexpr int kSteps = 20000;
  std::vector<int> seen(chances.size(), 0);
  RandomStream random(5);
  std::vector<double> to(1);
  for (int i = 0; i < kSteps; ++i) {
    kernel.Perturb(from, random, to);
    ASSERT_EQ(to[0], std::round(to[0]));
    const int offset = static_cast<int>(to[0] - from[0]);
    if (std::abs(offset) <= kReach) ++seen[static_cast<std::size_t>(offset + kReach)];
  }
  for (std::size_t k = 0; k < chances.size(); ++k) {
    const double expected = chances[k] * kSteps;
    EXPECT_NEAR(seen[k], expected, kZ * std::sqrt(expected * (1 - chances[k])) + 1) << k;
  }
}

INSTANTIATE_TEST_SUITE_P(Counts, WholeSteps, testing::ValuesIn(kWholeCases),
                         test_support::CaseName());

}  // namespace
}  // namespace abc
