#include "ui/linked_sigma.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>

namespace {

constexpr double kScale = 0.01;

struct PairCase {
  int location;
  int sigma;
};

std::ostream& operator<<(std::ostream& out, const PairCase& c) {
  return out << c.location << " -> " << c.sigma;
}

class LinkedSigmaPairs : public testing::TestWithParam<PairCase> {};

TEST_P(LinkedSigmaPairs, LandOnTheListedSigmaPosition) {
  const float sigma = ui::LinkedSigmaValue(GetParam().location * kScale);
  EXPECT_EQ(ui::PositionForValue(sigma, kScale), GetParam().sigma);
}

INSTANTIATE_TEST_SUITE_P(Listed, LinkedSigmaPairs,
                         testing::Values(PairCase{0, 0}, PairCase{1, 0}, PairCase{2, 1},
                                         PairCase{15, 5}, PairCase{30, 10}, PairCase{50, 17},
                                         PairCase{51, 16}, PairCase{70, 10}, PairCase{99, 0},
                                         PairCase{100, 0}));

// For every location k the Sigma position is the integer nearest to
// min(k, 100 - k) / 3, and it fits the smallest Sigma range (0..20).
TEST(LinkedSigma, EveryLocationGivesTheNearestThirdOfItsDistance) {
  for (int location = 0; location <= 100; ++location) {
    const int distance = std::min(location, 100 - location);
    const int expected = static_cast<int>(std::lround(distance / 3.0));
    const int position = ui::PositionForValue(ui::LinkedSigmaValue(location * kScale), kScale);
    EXPECT_EQ(position, expected) << "location " << location;
    EXPECT_LE(position, 20);
  }
}

TEST(LinkedSigma, KeepsTheNearDistanceInDoubleAndRoundsTheFarOneToFloat) {
  const double v = 0.3;
  EXPECT_EQ(ui::LinkedSigmaValue(v), static_cast<float>(v * (1.0 / 3.0)));
  const double w = 1.0 - 0.7;
  EXPECT_EQ(ui::LinkedSigmaValue(0.7),
            static_cast<float>(static_cast<double>(static_cast<float>(w)) * (1.0 / 3.0)));
}

struct PositionCase {
  float value;
  int position;
};

std::ostream& operator<<(std::ostream& out, const PositionCase& c) {
  return out << c.value << " -> " << c.position;
}

class PositionsForValues : public testing::TestWithParam<PositionCase> {};

TEST_P(PositionsForValues, RoundHalfUpInDouble) {
  EXPECT_EQ(ui::PositionForValue(GetParam().value, kScale), GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(Values, PositionsForValues,
                         testing::Values(PositionCase{0.0f, 0}, PositionCase{0.17f, 17},
                                         PositionCase{0.374f, 37}, PositionCase{0.376f, 38},
                                         PositionCase{-0.2f, -20}, PositionCase{1.0f, 100}));

}  // namespace
