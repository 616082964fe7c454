#include "abc/posterior_summary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/support/case_name.h"

namespace abc {
namespace {

struct QuantileCase {
  const char* name;
  std::vector<double> values;
  std::vector<double> weights;
  double q;
  double expected;
};

const QuantileCase kQuantileCases[] = {
    {"EqualWeightsMedian", {3, 1, 2, 4}, {1, 1, 1, 1}, 0.5, 2},
    {"EqualWeightsJustPastHalf", {3, 1, 2, 4}, {1, 1, 1, 1}, 0.51, 3},
    {"HeavyLargest", {1, 2, 3}, {0.1, 0.1, 0.8}, 0.5, 3},
    {"HeavySmallest", {1, 2, 3}, {0.9, 0.05, 0.05}, 0.9, 1},
    {"LowTail", {5, 6, 7, 8}, {0.04, 0.01, 0.5, 0.45}, 0.05, 6},
    {"TopEnd", {5, 6, 7, 8}, {0.25, 0.25, 0.25, 0.25}, 1.0, 8},
    {"UnnormalisedWeights", {1, 2, 3, 4}, {2, 2, 2, 2}, 0.75, 3},
};

class WeightedQuantiles : public testing::TestWithParam<QuantileCase> {};

TEST_P(WeightedQuantiles, AreTheFirstValueWhoseCumulativeWeightReachesQ) {
  const QuantileCase& c = GetParam();
  EXPECT_EQ(WeightedQuantile(c.values, c.weights, c.q), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, WeightedQuantiles, testing::ValuesIn(kQuantileCases),
                         test_support::CaseName());

TEST(PosteriorSummary, GivesTheWeightedMomentsAndTheNinetyPercentInterval) {
  Population population;
  // The values 0 to 99, weighted 1 to 100.
  double total = 0.0;
  for (int i = 0; i < 100; ++i) {
    population.particles.push_back({{static_cast<double>(i), -1.0}, i + 1.0, 0.0, 0, 0});
    total += i + 1.0;
  }
  double mean = 0.0;
  for (const Particle& p : population.particles) mean += p.weight * p.theta[0] / total;
  double variance = 0.0;
  for (const Particle& p : population.particles) {
    variance += p.weight * (p.theta[0] - mean) * (p.theta[0] - mean) / total;
  }
  // Cumulative weight of values up to k is (k + 1)(k + 2) / 2 of 5050.
  const auto quantile = [&](double q) {
    int k = 0;
    while ((k + 1) * (k + 2) / 2.0 < q * total) ++k;
    return static_cast<double>(k);
  };
  const MarginalSummary summary = SummariseParameter(population, 0);
  EXPECT_NEAR(summary.mean, mean, 1e-12);
  EXPECT_NEAR(summary.standardDeviation, std::sqrt(variance), 1e-12);
  EXPECT_EQ(summary.q05, quantile(0.05));
  EXPECT_EQ(summary.median, quantile(0.5));
  EXPECT_EQ(summary.q95, quantile(0.95));
  EXPECT_EQ(SummariseParameter(population, 1).median, -1.0);
}

}  // namespace
}  // namespace abc
