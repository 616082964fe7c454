#include "batch/morris_design.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/support/case_name.h"

namespace batch {
namespace {

constexpr double kClose = 1e-12;

struct LinearCase {
  const char* name;
  int levels;
  std::size_t trajectories;
  std::vector<double> slopes;
};

const LinearCase kLinearCases[] = {
    {"FourLevels", 4, 20, {1.0, -2.0, 0.0, 0.5}},
    {"SixLevels", 6, 10, {3.0, 0.25, -1.0}},
    {"TwoLevelsOneFactor", 2, 5, {-4.0}},
};

class MorrisLinearTest : public ::testing::TestWithParam<LinearCase> {};

TEST_P(MorrisLinearTest, EveryEffectIsTheSlopeTimesTheStep) {
  const LinearCase& c = GetParam();
  const MorrisTrajectories design(c.slopes.size(), {c.trajectories, c.levels, 11});
  const std::vector<double> outputs = EvaluateMorris(design, [&](std::span<const double> x) {
    double sum = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) sum += c.slopes[i] * x[i];
    return sum;
  });
  const double delta = static_cast<double>(c.levels) / (2.0 * (c.levels - 1));
  const std::vector<MorrisEffect> effects = EstimateMorrisEffects(design, outputs);
  for (std::size_t i = 0; i < c.slopes.size(); ++i) {
    EXPECT_NEAR(effects[i].mu, c.slopes[i] * delta, kClose);
    EXPECT_NEAR(effects[i].muStar, std::fabs(c.slopes[i]) * delta, kClose);
    EXPECT_NEAR(effects[i].sigma, 0.0, kClose);
  }
}

TEST_P(MorrisLinearTest, EachStepMovesOneFactorByDeltaOnTheGrid) {
  const LinearCase& c = GetParam();
  const std::size_t factors = c.slopes.size();
  const MorrisTrajectories design(factors, {c.trajectories, c.levels, 3});
  const double delta = MorrisDelta(c.levels);
  const double last = c.levels - 1;
  for (std::size_t t = 0; t < c.trajectories; ++t) {
    std::vector<int> moves(factors);
    for (std::size_t k = 0; k < design.PointsPerTrajectory(); ++k) {
      for (std::size_t f = 0; f < factors; ++f) {
        const double unit = design.Unit(t, k, f);
        EXPECT_GE(unit, 0.0);
        EXPECT_LE(unit, 1.0);
        EXPECT_EQ(std::round(unit * last) / last, unit) << "off the grid";
        if (k == 0) continue;
        const double change = unit - design.Unit(t, k - 1, f);
        if (f != design.MovedFactor(t, k)) {
          EXPECT_EQ(change, 0.0);
          continue;
        }
        ++moves[f];
        EXPECT_NEAR(change, design.MovesUp(t, k) ? delta : -delta, kClose);
      }
    }
    for (int count : moves) EXPECT_EQ(count, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, MorrisLinearTest, ::testing::ValuesIn(kLinearCases),
                         test_support::CaseName());

TEST(MorrisTest, AnInteractionSpreadsTheEffectsAndAnUnreadFactorHasNone) {
  const MorrisTrajectories design(3, {40, 4, 5});
  const std::vector<double> outputs =
      EvaluateMorris(design, [](std::span<const double> x) { return x[0] * x[1]; });
  const std::vector<MorrisEffect> effects = EstimateMorrisEffects(design, outputs);
  EXPECT_GT(effects[0].sigma, 0.1);
  EXPECT_GT(effects[1].sigma, 0.1);
  EXPECT_EQ(effects[2].muStar, 0.0);
  EXPECT_EQ(effects[2].sigma, 0.0);
}

TEST(MorrisTest, TheSameSeedGivesTheSameTrajectoriesAndAnotherDoesNot) {
  const MorrisTrajectories first(5, {8, 4, 1});
  const MorrisTrajectories again(5, {8, 4, 1});
  const MorrisTrajectories other(5, {8, 4, 2});
  bool differs = false;
  for (std::size_t t = 0; t < 8; ++t) {
    for (std::size_t k = 0; k < 6; ++k) {
      for (std::size_t f = 0; f < 5; ++f) {
        EXPECT_EQ(first.Unit(t, k, f), again.Unit(t, k, f));
        differs = differs || first.Unit(t, k, f) != other.Unit(t, k, f);
      }
    }
  }
  EXPECT_TRUE(differs);
}

TEST(MorrisTest, RefusesOddOrTooFewLevels) {
  EXPECT_THROW(MorrisTrajectories(2, {4, 3, 0}), std::invalid_argument);
  EXPECT_THROW(MorrisTrajectories(2, {4, 0, 0}), std::invalid_argument);
}

}  // namespace
}  // namespace batch
