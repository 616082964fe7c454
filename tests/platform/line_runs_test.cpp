#include "drawing/line_runs.h"

#include <gtest/gtest.h>

#include <QRect>
#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "drawing/dot_pattern.h"
#include "drawing/line_raster.h"
#include "drawing/line_rects.h"
#include "tests/support/case_name.h"

namespace platform_test {
namespace {

using platform::LinePixels;
using platform::PixelPoint;
using platform::PixelRun;

struct LineCase {
  std::string name;
  PixelPoint from;
  PixelPoint to;
};

void PrintTo(const LineCase& line, std::ostream* out) {
  *out << line.name;
}

// Long lines in every octant, on both axes and on the diagonals, some with
// slopes whose runs are one pixel longer now and then.
const std::vector<LineCase> kLongLines = {
    {"East", {3, 40}, {203, 40}},         {"Octant1", {3, 40}, {203, 107}},
    {"Octant1Shallow", {0, 0}, {203, 7}}, {"Diagonal1", {0, 0}, {150, 150}},
    {"Octant2", {40, 3}, {107, 203}},     {"South", {40, 3}, {40, 203}},
    {"Octant3", {150, 3}, {83, 203}},     {"Diagonal3", {150, 0}, {0, 150}},
    {"Octant4", {203, 3}, {3, 70}},       {"West", {203, 40}, {3, 40}},
    {"Octant5", {203, 107}, {3, 40}},     {"Diagonal5", {150, 150}, {0, 0}},
    {"Octant6", {107, 203}, {40, 3}},     {"North", {40, 203}, {40, 3}},
    {"Octant7", {83, 203}, {150, 3}},     {"Octant7Steep", {8, 301}, {16, 5}},
    {"Octant8", {3, 70}, {203, 3}},       {"Diagonal7", {0, 150}, {150, 0}},
    {"SeriesStep", {14, 305}, {22, 268}}, {"SinglePixel", {9, 9}, {10, 9}},
    {"ZeroLength", {5, 5}, {5, 5}},
};

std::vector<PixelRun> Runs(PixelPoint from, PixelPoint to) {
  std::vector<PixelRun> runs;
  platform::ForEachLineRun(from, to, [&runs](const PixelRun& run) { runs.push_back(run); });
  return runs;
}

class LongLineRuns : public testing::TestWithParam<LineCase> {};

TEST_P(LongLineRuns, ListTheWalksPixelsInOrder) {
  std::vector<PixelPoint> pixels;
  for (const PixelRun& run : Runs(GetParam().from, GetParam().to)) {
    ASSERT_GT(run.length, 0);
    EXPECT_EQ(run.index, static_cast<int>(pixels.size()));
    for (int offset = 0; offset < run.length; ++offset) {
      pixels.push_back(run.At(offset));
    }
  }
  EXPECT_EQ(pixels, LinePixels(GetParam().from, GetParam().to));
}

// Each run is horizontal or vertical: its pixels differ only along the major axis.
TEST_P(LongLineRuns, AreStraightStretches) {
  for (const PixelRun& run : Runs(GetParam().from, GetParam().to)) {
    EXPECT_EQ(std::abs(run.step.x) + std::abs(run.step.y), 1);
    const PixelPoint last = run.Last();
    EXPECT_TRUE(run.first.x == last.x || run.first.y == last.y);
  }
}

INSTANTIATE_TEST_SUITE_P(EveryOctant, LongLineRuns, testing::ValuesIn(kLongLines),
                         test_support::CaseName());

TEST(LineRuns, MatchTheWalkForEveryShortDirection) {
  constexpr int kReach = 12;
  const PixelPoint from{-4, 7};
  for (int dx = -kReach; dx <= kReach; ++dx) {
    for (int dy = -kReach; dy <= kReach; ++dy) {
      const PixelPoint to{from.x + dx, from.y + dy};
      std::vector<PixelPoint> pixels;
      for (const PixelRun& run : Runs(from, to)) {
        for (int offset = 0; offset < run.length; ++offset) {
          pixels.push_back(run.At(offset));
        }
      }
      EXPECT_EQ(pixels, LinePixels(from, to)) << "to " << to.x << ", " << to.y;
    }
  }
}

// Every pixel the rectangles cover, with whether it was a dot.
struct CoveredPixel {
  PixelPoint pixel;
  bool dot;
  friend bool operator==(const CoveredPixel&, const CoveredPixel&) = default;
};

std::vector<CoveredPixel> SortedCover(std::vector<CoveredPixel> cover) {
  std::sort(cover.begin(), cover.end(), [](const CoveredPixel& a, const CoveredPixel& b) {
    return a.pixel.x != b.pixel.x ? a.pixel.x < b.pixel.x : a.pixel.y < b.pixel.y;
  });
  return cover;
}

std::vector<CoveredPixel> RectCover(PixelPoint from, PixelPoint to, bool dotted) {
  constexpr int kThinWidth = 1;
  std::vector<CoveredPixel> cover;
  platform::ForEachLineRect(from, to, kThinWidth, dotted, [&cover](const QRect& rect, bool dot) {
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
      for (int x = rect.left(); x <= rect.right(); ++x) {
        cover.push_back({{x, y}, dot});
      }
    }
  });
  return SortedCover(cover);
}

std::vector<CoveredPixel> WalkCover(PixelPoint from, PixelPoint to, bool dotted) {
  const std::vector<PixelPoint> pixels = LinePixels(from, to);
  std::vector<CoveredPixel> cover;
  for (std::size_t index = 0; index < pixels.size(); ++index) {
    cover.push_back({pixels[index], !dotted || platform::IsDotPixel(static_cast<int>(index))});
  }
  return SortedCover(cover);
}

class LongLineRects : public testing::TestWithParam<LineCase> {};

// Runs of every length cross the boundaries of dots and gaps at every phase.
TEST_P(LongLineRects, OfADottedPenSplitDotsFromGapsAtEveryPixel) {
  EXPECT_EQ(RectCover(GetParam().from, GetParam().to, true),
            WalkCover(GetParam().from, GetParam().to, true));
}

TEST_P(LongLineRects, OfASolidPenCoverTheWalkOnce) {
  EXPECT_EQ(RectCover(GetParam().from, GetParam().to, false),
            WalkCover(GetParam().from, GetParam().to, false));
}

INSTANTIATE_TEST_SUITE_P(EveryOctant, LongLineRects, testing::ValuesIn(kLongLines),
                         test_support::CaseName());

TEST(LineRects, OfAWidePenAreTheSquaresAroundEachPixelsRun) {
  constexpr int kWidth = 3;
  std::vector<QRect> rects;
  platform::ForEachLineRect({10, 10}, {14, 10}, kWidth, false,
                            [&rects](const QRect& rect, bool /*dot*/) { rects.push_back(rect); });
  EXPECT_EQ(rects, std::vector<QRect>{QRect(9, 9, 6, 3)});
}

struct PatternCase {
  int index;
  int remaining;
};

class DotPatternRemaining : public testing::TestWithParam<PatternCase> {};

TEST_P(DotPatternRemaining, CountsToTheEndOfTheDotOrGap) {
  EXPECT_EQ(platform::DotPatternRemaining(GetParam().index), GetParam().remaining);
}

INSTANTIATE_TEST_SUITE_P(OnePeriodAndMore, DotPatternRemaining,
                         testing::Values(PatternCase{0, 3}, PatternCase{1, 2}, PatternCase{2, 1},
                                         PatternCase{3, 3}, PatternCase{4, 2}, PatternCase{5, 1},
                                         PatternCase{6, 3}, PatternCase{100, 2}));

}  // namespace
}  // namespace platform_test
