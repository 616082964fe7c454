#include "map/contour_segments.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "tests/support/case_name.h"

namespace map {
namespace {

// values[x * rows + y] = f(x, y).
std::vector<double> Grid(std::size_t columns, std::size_t rows,
                         const std::function<double(double, double)>& f) {
  std::vector<double> values;
  for (std::size_t x = 0; x < columns; ++x) {
    for (std::size_t y = 0; y < rows; ++y) {
      values.push_back(f(static_cast<double>(x), static_cast<double>(y)));
    }
  }
  return values;
}

struct PlaneCase {
  const char* name;
  std::function<double(double, double)> f;
  double level;
  std::size_t segments;
};

const PlaneCase kPlanes[] = {
    {"RisingInX", [](double x, double) { return x; }, 1.5, 2},
    {"RisingInY", [](double, double y) { return 2 * y; }, 1.0, 3},
    {"Diagonal", [](double x, double y) { return x + y; }, 2.5, 4},
    {"FlatBelow", [](double, double) { return 0.2; }, 0.5, 0},
    {"FlatAbove", [](double, double) { return 0.7; }, 0.5, 0},
};

class Planes : public testing::TestWithParam<PlaneCase> {};

// On a plane every piece of the line lies where the plane meets the level.
TEST_P(Planes, CrossWhereThePlaneMeetsTheLevel) {
  constexpr std::size_t kColumns = 4;
  constexpr std::size_t kRows = 3;
  const PlaneCase& c = GetParam();
  const std::vector<ContourSegment> segments =
      ContourSegments(Grid(kColumns, kRows, c.f), kColumns, kRows, c.level);
  EXPECT_EQ(segments.size(), c.segments);
  for (const ContourSegment& s : segments) {
    EXPECT_NEAR(c.f(s.x0, s.y0), c.level, 1e-12);
    EXPECT_NEAR(c.f(s.x1, s.y1), c.level, 1e-12);
    EXPECT_FALSE(s.x0 == s.x1 && s.y0 == s.y1);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Planes, testing::ValuesIn(kPlanes), test_support::CaseName());

struct SaddleCase {
  const char* name;
  std::vector<double> values;  // x slowest: (0,0), (0,1), (1,0), (1,1)
  // Whether the two pieces cut off the corners at (0,0) and (1,1).
  bool cutsLowerLeftAndUpperRight;
};

const SaddleCase kSaddles[] = {
    // Corners (0,0) and (1,1) above; the centre's mean decides.
    {"HighCornersJoined", {1.0, 0.0, 0.0, 1.0}, false},
    {"HighCornersApart", {0.6, 0.0, 0.0, 0.6}, true},
    {"LowCornersJoined", {0.0, 1.0, 1.0, 0.0}, true},
};

class Saddles : public testing::TestWithParam<SaddleCase> {};

TEST_P(Saddles, SplitAsTheCentreSays) {
  const std::vector<ContourSegment> segments = ContourSegments(GetParam().values, 2, 2, 0.5);
  ASSERT_EQ(segments.size(), 2u);
  // A piece cutting off (0,0) has both ends on the edges through it: x = 0 or y = 0.
  const auto cutsOrigin = [](const ContourSegment& s) {
    return (s.x0 == 0 || s.y0 == 0) && (s.x1 == 0 || s.y1 == 0);
  };
  const bool origin = cutsOrigin(segments[0]) || cutsOrigin(segments[1]);
  EXPECT_EQ(origin, GetParam().cutsLowerLeftAndUpperRight);
}

INSTANTIATE_TEST_SUITE_P(Cases, Saddles, testing::ValuesIn(kSaddles), test_support::CaseName());

TEST(ContourSegments, SkipASquareWithANumberMissing) {
  std::vector<double> values = Grid(3, 2, [](double x, double) { return x; });
  values[0] = std::numeric_limits<double>::quiet_NaN();
  // Only the square from x = 1 to 2 is whole, and the line x = 1.5 crosses it.
  const std::vector<ContourSegment> segments = ContourSegments(values, 3, 2, 1.5);
  ASSERT_EQ(segments.size(), 1u);
  EXPECT_EQ(segments[0].x0, 1.5);
}

TEST(ContourSegments, NeedTwoColumnsAndTwoRows) {
  EXPECT_TRUE(ContourSegments(std::vector<double>{0.0, 1.0}, 1, 2, 0.5).empty());
  EXPECT_TRUE(ContourSegments(std::vector<double>{0.0, 1.0}, 2, 1, 0.5).empty());
}

}  // namespace
}  // namespace map
