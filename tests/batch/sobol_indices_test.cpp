#include "batch/sobol_indices.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <span>
#include <vector>

#include "batch/saltelli_design.h"
#include "tests/support/case_name.h"

namespace batch {
namespace {

constexpr std::size_t kBaseRows = std::size_t{1} << 14;
constexpr double kTolerance = 0.02;
constexpr double kPi = std::numbers::pi;

// Ishigami's function, x ~ U(-pi, pi) each.
constexpr double kIshigamiA = 7.0;
constexpr double kIshigamiB = 0.1;

double Ishigami(std::span<const double> unit) {
  const double x1 = -kPi + 2.0 * kPi * unit[0];
  const double x2 = -kPi + 2.0 * kPi * unit[1];
  const double x3 = -kPi + 2.0 * kPi * unit[2];
  return std::sin(x1) + kIshigamiA * std::sin(x2) * std::sin(x2) +
         kIshigamiB * std::pow(x3, 4) * std::sin(x1);
}

struct Analytic {
  std::vector<double> first;
  std::vector<double> total;
};

// The partial variances of Ishigami's function (Ishigami and Homma 1990).
Analytic IshigamiIndices() {
  const double a = kIshigamiA;
  const double b = kIshigamiB;
  const double pi4 = std::pow(kPi, 4);
  const double pi8 = std::pow(kPi, 8);
  const double v1 = 0.5 * std::pow(1.0 + b * pi4 / 5.0, 2);
  const double v2 = a * a / 8.0;
  const double v13 = b * b * pi8 * (1.0 / 18.0 - 1.0 / 50.0);
  const double v = v1 + v2 + v13;
  return {{v1 / v, v2 / v, 0.0}, {(v1 + v13) / v, v2 / v, v13 / v}};
}

// Sobol's G function over the unit cube with coefficients a.
struct GFunction {
  std::vector<double> a;
  double operator()(std::span<const double> unit) const {
    double product = 1.0;
    for (std::size_t i = 0; i < a.size(); ++i) {
      product *= (std::fabs(4.0 * unit[i] - 2.0) + a[i]) / (1.0 + a[i]);
    }
    return product;
  }
};

// V_i = 1 / (3 (1 + a_i)^2); V = prod(1 + V_i) - 1; S_i = V_i / V;
// ST_i = V_i prod_{j != i}(1 + V_j) / V.
Analytic GIndices(const std::vector<double>& a) {
  std::vector<double> partial;
  double product = 1.0;
  for (double ai : a) {
    partial.push_back(1.0 / (3.0 * (1.0 + ai) * (1.0 + ai)));
    product *= 1.0 + partial.back();
  }
  const double v = product - 1.0;
  Analytic indices;
  for (double vi : partial) {
    indices.first.push_back(vi / v);
    indices.total.push_back(vi * product / (1.0 + vi) / v);
  }
  return indices;
}

std::vector<SobolIndex> Estimate(std::size_t columns, const auto& f, std::uint64_t resamples) {
  const SaltelliPoints points(kBaseRows, columns);
  const std::vector<double> outputs = EvaluateSaltelli(points, f);
  return EstimateSobolIndices({columns, outputs}, {resamples, 0.95, 7});
}

struct KnownCase {
  const char* name;
  std::size_t columns;
  double (*function)(std::span<const double>);
  Analytic (*indices)();
};

double GOfEight(std::span<const double> unit) {
  static const GFunction g{{0, 1, 4.5, 9, 99, 99, 99, 99}};
  return g(unit);
}

Analytic GOfEightIndices() {
  return GIndices({0, 1, 4.5, 9, 99, 99, 99, 99});
}

const KnownCase kKnownCases[] = {
    {"Ishigami", 3, Ishigami, IshigamiIndices},
    {"GFunction", 8, GOfEight, GOfEightIndices},
};

class KnownIndicesTest : public ::testing::TestWithParam<KnownCase> {};

TEST_P(KnownIndicesTest, EstimatesComeWithinTolerance) {
  const KnownCase& c = GetParam();
  const Analytic expected = c.indices();
  const std::vector<SobolIndex> indices = Estimate(c.columns, c.function, 0);
  ASSERT_EQ(indices.size(), c.columns);
  for (std::size_t i = 0; i < c.columns; ++i) {
    EXPECT_NEAR(indices[i].first, expected.first[i], kTolerance) << "first-order of column " << i;
    EXPECT_NEAR(indices[i].total, expected.total[i], kTolerance) << "total of column " << i;
  }
}

TEST_P(KnownIndicesTest, IntervalsHoldTheEstimateAndRepeat) {
  const KnownCase& c = GetParam();
  constexpr std::uint64_t kResamples = 50;
  const std::vector<SobolIndex> first = Estimate(c.columns, c.function, kResamples);
  const std::vector<SobolIndex> again = Estimate(c.columns, c.function, kResamples);
  for (std::size_t i = 0; i < c.columns; ++i) {
    EXPECT_LE(first[i].firstLow, first[i].first);
    EXPECT_GE(first[i].firstHigh, first[i].first);
    EXPECT_LE(first[i].totalLow, first[i].total);
    EXPECT_GE(first[i].totalHigh, first[i].total);
    EXPECT_LT(first[i].totalHigh - first[i].totalLow, kTolerance * 2);
    EXPECT_EQ(first[i].firstLow, again[i].firstLow);
    EXPECT_EQ(first[i].totalHigh, again[i].totalHigh);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, KnownIndicesTest, ::testing::ValuesIn(kKnownCases),
                         test_support::CaseName());

TEST(SobolIndicesTest, AColumnNotReadGetsExactlyZero) {
  // A function of the first column only, negative at times so that the
  // products of a column not read are -0 as well as +0.
  const auto f = [](std::span<const double> unit) { return unit[0] - 0.5; };
  const std::vector<SobolIndex> indices = Estimate(3, f, 20);
  for (std::size_t i : {1u, 2u}) {
    EXPECT_EQ(indices[i].first, 0.0);
    EXPECT_FALSE(std::signbit(indices[i].first));
    EXPECT_EQ(indices[i].total, 0.0);
    EXPECT_EQ(indices[i].totalHigh, 0.0);
  }
}

TEST(SobolIndicesTest, RefusesOutputsThatDoNotFillWholeRows) {
  const std::vector<double> outputs(7);
  EXPECT_THROW(EstimateSobolIndices({3, outputs}, {}), std::invalid_argument);
}

}  // namespace
}  // namespace batch
