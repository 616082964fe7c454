#include "drawing/line_raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/case_name.h"

namespace platform {
std::ostream& operator<<(std::ostream& out, const PixelPoint& point) {
  return out << "(" << point.x << ", " << point.y << ")";
}
}  // namespace platform

namespace platform_test {
namespace {

using platform::LinePixels;
using platform::PixelPoint;

struct LineCase {
  std::string name;
  PixelPoint from;
  PixelPoint to;
  std::vector<PixelPoint> pixels;
};

class KnownLines : public testing::TestWithParam<LineCase> {};

TEST_P(KnownLines, CoverExactlyThesePixelsWithoutTheEndPoint) {
  const LineCase& line = GetParam();
  EXPECT_EQ(LinePixels(line.from, line.to), line.pixels);
}

// Octants are counted clockwise from +x with y growing downwards. Where the
// ideal line passes midway between two pixels the smaller minor coordinate wins.
INSTANTIATE_TEST_SUITE_P(
    AllOctants, KnownLines,
    testing::Values(LineCase{"Octant1", {0, 0}, {5, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},
                    LineCase{"Octant1Tie", {0, 0}, {4, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
                    LineCase{"Octant2", {0, 0}, {2, 4}, {{0, 0}, {0, 1}, {1, 2}, {1, 3}}},
                    LineCase{"Octant3", {0, 0}, {-2, 4}, {{0, 0}, {-1, 1}, {-1, 2}, {-2, 3}}},
                    LineCase{"Octant4", {0, 0}, {-4, 2}, {{0, 0}, {-1, 0}, {-2, 1}, {-3, 1}}},
                    LineCase{"Octant5", {4, 2}, {0, 0}, {{4, 2}, {3, 1}, {2, 1}, {1, 0}}},
                    LineCase{"Octant6", {0, 0}, {-2, -4}, {{0, 0}, {-1, -1}, {-1, -2}, {-2, -3}}},
                    LineCase{"Octant7", {0, 0}, {2, -4}, {{0, 0}, {0, -1}, {1, -2}, {1, -3}}},
                    LineCase{"Octant8", {0, 0}, {4, -2}, {{0, 0}, {1, -1}, {2, -1}, {3, -2}}},
                    LineCase{"Horizontal", {3, 7}, {7, 7}, {{3, 7}, {4, 7}, {5, 7}, {6, 7}}},
                    LineCase{"HorizontalLeft", {7, 7}, {4, 7}, {{7, 7}, {6, 7}, {5, 7}}},
                    LineCase{"VerticalUp", {2, 5}, {2, 1}, {{2, 5}, {2, 4}, {2, 3}, {2, 2}}},
                    LineCase{"VerticalDown", {2, 1}, {2, 3}, {{2, 1}, {2, 2}}},
                    LineCase{"Diagonal", {0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}}},
                    LineCase{"DiagonalUpLeft", {3, 3}, {0, 0}, {{3, 3}, {2, 2}, {1, 1}}},
                    LineCase{"SinglePixel", {9, 9}, {10, 9}, {{9, 9}}},
                    LineCase{"ZeroLength", {5, 5}, {5, 5}, {}}),
    test_support::CaseName());

// Smallest integer at or above numerator / denominator, denominator > 0.
int CeilDiv(int numerator, int denominator) {
  const int quotient = numerator / denominator;
  return quotient * denominator < numerator ? quotient + 1 : quotient;
}

// The pixel k steps along the major axis of the ideal line: the minor
// coordinate is the ideal one rounded, halves going to the smaller value.
std::vector<PixelPoint> IdealPixels(PixelPoint from, PixelPoint to) {
  const int dx = to.x - from.x;
  const int dy = to.y - from.y;
  const bool xMajor = std::abs(dx) > std::abs(dy);
  const int major = xMajor ? std::abs(dx) : std::abs(dy);
  const int minorDelta = xMajor ? dy : dx;
  const int majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
  std::vector<PixelPoint> pixels;
  for (int step = 0; step < major; ++step) {
    const int minor = CeilDiv(2 * step * minorDelta - major, 2 * major);
    pixels.push_back(xMajor ? PixelPoint{from.x + majorSign * step, from.y + minor}
                            : PixelPoint{from.x + minor, from.y + majorSign * step});
  }
  return pixels;
}

constexpr int kReach = 9;

TEST(LinePixels, MatchTheIdealLineRoundedHalfDownForEveryDirection) {
  const PixelPoint from{3, -2};
  for (int dx = -kReach; dx <= kReach; ++dx) {
    for (int dy = -kReach; dy <= kReach; ++dy) {
      const PixelPoint to{from.x + dx, from.y + dy};
      EXPECT_EQ(LinePixels(from, to), IdealPixels(from, to)) << "to " << to;
    }
  }
}

bool SamePixels(std::vector<PixelPoint> first, std::vector<PixelPoint> second) {
  const auto order = [](PixelPoint a, PixelPoint b) { return a.x != b.x ? a.x < b.x : a.y < b.y; };
  std::sort(first.begin(), first.end(), order);
  std::sort(second.begin(), second.end(), order);
  return first == second;
}

TEST(LinePixels, ALineAndItsReverseCoverTheSamePixelsBesideTheirEnds) {
  const PixelPoint from{0, 0};
  for (int dx = -kReach; dx <= kReach; ++dx) {
    for (int dy = -kReach; dy <= kReach; ++dy) {
      const PixelPoint to{dx, dy};
      if (to == from) {
        continue;
      }
      std::vector<PixelPoint> forward = LinePixels(from, to);
      forward.push_back(to);
      std::vector<PixelPoint> backward = LinePixels(to, from);
      backward.push_back(from);
      EXPECT_TRUE(SamePixels(forward, backward)) << "to " << to;
    }
  }
}

}  // namespace
}  // namespace platform_test
