#include "batch/saltelli_design.h"

#include <gtest/gtest.h>

#include <boost/random/sobol.hpp>
#include <cstdint>

#include "tests/support/case_name.h"

namespace batch {
namespace {

struct ShapeCase {
  const char* name;
  std::size_t baseRows;
  std::size_t columns;
};

const ShapeCase kShapes[] = {
    {"OneColumn", 5, 1},
    {"ThreeColumns", 16, 3},
    {"TwentyOneColumns", 64, 21},
};

class SaltelliPointsTest : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(SaltelliPointsTest, AAndBAreTheHalvesOfTheSobolSequence) {
  const ShapeCase& c = GetParam();
  const SaltelliPoints points(c.baseRows, c.columns);
  boost::random::sobol sequence(2 * c.columns);
  const double scale = 0x1.0p-64;
  for (std::size_t row = 0; row < c.baseRows; ++row) {
    for (std::size_t column = 0; column < c.columns; ++column) {
      EXPECT_NEAR(points.A(row, column), static_cast<double>(sequence()) * scale, 0x1.0p-52);
    }
    for (std::size_t column = 0; column < c.columns; ++column) {
      EXPECT_NEAR(points.B(row, column), static_cast<double>(sequence()) * scale, 0x1.0p-52);
    }
  }
}

TEST_P(SaltelliPointsTest, EachMixedMatrixTakesItsOwnColumnFromB) {
  const ShapeCase& c = GetParam();
  const SaltelliPoints points(c.baseRows, c.columns);
  ASSERT_EQ(points.Matrices(), c.columns + 2);
  ASSERT_EQ(points.PointCount(), c.baseRows * (c.columns + 2));
  for (std::size_t row = 0; row < c.baseRows; ++row) {
    for (std::size_t column = 0; column < c.columns; ++column) {
      EXPECT_EQ(points.Unit(kMatrixA, row, column), points.A(row, column));
      EXPECT_EQ(points.Unit(kMatrixB, row, column), points.B(row, column));
      for (std::size_t mixed = 0; mixed < c.columns; ++mixed) {
        const double expected = mixed == column ? points.B(row, column) : points.A(row, column);
        EXPECT_EQ(points.Unit(MixedMatrix(mixed), row, column), expected);
      }
    }
  }
}

TEST_P(SaltelliPointsTest, EvaluatesBaseRowByBaseRowInMatrixOrder) {
  const ShapeCase& c = GetParam();
  const SaltelliPoints points(c.baseRows, c.columns);
  const std::vector<double> outputs =
      EvaluateSaltelli(points, [](std::span<const double> unit) { return unit[0]; });
  ASSERT_EQ(outputs.size(), points.PointCount());
  for (std::size_t row = 0; row < c.baseRows; ++row) {
    for (std::size_t matrix = 0; matrix < points.Matrices(); ++matrix) {
      EXPECT_EQ(outputs[row * points.Matrices() + matrix], points.Unit(matrix, row, 0));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SaltelliPointsTest, ::testing::ValuesIn(kShapes),
                         test_support::CaseName());

}  // namespace
}  // namespace batch
