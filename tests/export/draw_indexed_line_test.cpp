#include "export/draw_indexed_line.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "test_bitmap.h"

namespace bitmap_export::fixtures {
namespace {

constexpr std::uint8_t kInk = 9;

// An exactly sized pixel array, so a write past either end trips the sanitizer.
struct SmallCanvas {
  int width;
  int height;
  std::vector<std::uint8_t> pixels;

  SmallCanvas(int w, int h)
      : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h)) {}

  std::vector<Pixel> Draw(int x1, int y1, int x2, int y2) {
    DrawIndexedLine(x1, y1, x2, y2, kInk, pixels.data(), width, height);
    return PixelsOfColour(pixels, width, kInk);
  }
};

SmallCanvas FullCanvas() {
  return SmallCanvas(kWidth, kHeight);
}

TEST(DrawIndexedLine, WorkedShallowSegmentSetsItsSevenPixels) {
  SmallCanvas canvas = FullCanvas();
  const std::vector<Pixel> expected = {{20, 170}, {21, 170}, {22, 171}, {23, 171},
                                       {24, 172}, {25, 172}, {26, 173}};
  EXPECT_EQ(canvas.Draw(20, 170, 26, 173), expected);
}

TEST(DrawIndexedLine, ReversedEndsDrawTheSamePixels) {
  SmallCanvas forward = FullCanvas();
  SmallCanvas backward = FullCanvas();
  EXPECT_EQ(forward.Draw(20, 170, 26, 173), backward.Draw(26, 173, 20, 170));
}

TEST(DrawIndexedLine, SinglePointDrawsNothing) {
  SmallCanvas canvas = FullCanvas();
  EXPECT_TRUE(canvas.Draw(30, 40, 30, 40).empty());
}

TEST(DrawIndexedLine, DiagonalCountsAsShallowAndDrawsBothEnds) {
  SmallCanvas canvas(8, 8);
  const std::vector<Pixel> expected = {{1, 1}, {2, 2}, {3, 3}, {4, 4}};
  EXPECT_EQ(canvas.Draw(4, 4, 1, 1), expected);
}

TEST(DrawIndexedLine, SteepSegmentTakesOnePixelPerRow) {
  SmallCanvas canvas = FullCanvas();
  const std::vector<Pixel> drawn = canvas.Draw(20, 100, 26, 120);
  ASSERT_EQ(drawn.size(), 21U);
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    EXPECT_EQ(drawn[i].row, 100 + static_cast<int>(i));
    EXPECT_GE(drawn[i].x, 20);
    EXPECT_LE(drawn[i].x, 26);
  }
  EXPECT_EQ(drawn.front(), (Pixel{20, 100}));
  EXPECT_EQ(drawn.back(), (Pixel{26, 120}));
}

TEST(DrawIndexedLine, SteepSegmentIsClippedToTheCanvasRows) {
  SmallCanvas canvas = FullCanvas();
  const std::vector<Pixel> drawn = canvas.Draw(20, -50, 26, 400);
  ASSERT_EQ(drawn.size(), static_cast<std::size_t>(kHeight));
  EXPECT_EQ(drawn.front().row, 0);
  EXPECT_EQ(drawn.back().row, kHeight - 1);
}

TEST(DrawIndexedLine, SteepSegmentWhollyAboveTheCanvasDrawsNothing) {
  SmallCanvas canvas = FullCanvas();
  EXPECT_TRUE(canvas.Draw(20, 400, 26, 900).empty());
  EXPECT_TRUE(canvas.Draw(20, -400, 26, -20).empty());
}

TEST(DrawIndexedLine, ShallowRowsOutsideTheCanvasAreSkipped) {
  SmallCanvas canvas(10, 4);
  // Rows -3 to 6 along x 0 to 9; only rows 0 to 3 exist.
  const std::vector<Pixel> expected = {{3, 0}, {4, 1}, {5, 2}, {6, 3}};
  EXPECT_EQ(canvas.Draw(0, -3, 9, 6), expected);
}

TEST(DrawIndexedLine, ShallowColumnsOutsideTheCanvasAreSkipped) {
  SmallCanvas canvas(10, 3);
  const std::vector<Pixel> drawn = canvas.Draw(-5, 1, 14, 1);
  ASSERT_EQ(drawn.size(), 10U);
  for (int x = 0; x < 10; ++x) {
    EXPECT_EQ(drawn[static_cast<std::size_t>(x)], (Pixel{x, 1}));
  }
}

TEST(DrawIndexedLine, SteepColumnsTruncateTowardZeroAndSkipOffCanvas) {
  SmallCanvas canvas(4, 9);
  // x = trunc(row / 4 - 1): -1 at row 0 is skipped, -0.75 to -0.25 truncate to 0.
  const std::vector<Pixel> expected = {{0, 1}, {0, 2}, {0, 3}, {0, 4},
                                       {0, 5}, {0, 6}, {0, 7}, {1, 8}};
  EXPECT_EQ(canvas.Draw(-1, 0, 1, 8), expected);
}

TEST(DrawIndexedLine, ExtremeEndsStayInsideTheArray) {
  SmallCanvas diagonal(6, 4);
  const std::vector<Pixel> expectedDiagonal = {{0, 0}, {1, 1}, {2, 2}, {3, 3}};
  EXPECT_EQ(diagonal.Draw(INT_MIN, INT_MIN, INT_MAX, INT_MAX), expectedDiagonal);

  SmallCanvas horizontal(6, 4);
  EXPECT_EQ(horizontal.Draw(INT_MAX, 2, INT_MIN, 2).size(), 6U);

  SmallCanvas vertical(6, 4);
  const std::vector<Pixel> expectedVertical = {{5, 0}, {5, 1}, {5, 2}, {5, 3}};
  EXPECT_EQ(vertical.Draw(5, INT_MIN, 5, INT_MAX), expectedVertical);
}

TEST(DrawIndexedLine, EmptyCanvasIsLeftAlone) {
  std::vector<std::uint8_t> pixels(16, 0);
  DrawIndexedLine(0, 0, 3, 3, kInk, pixels.data(), 0, 4);
  DrawIndexedLine(0, 0, 3, 3, kInk, pixels.data(), 4, -1);
  EXPECT_EQ(pixels, std::vector<std::uint8_t>(16, 0));
}

}  // namespace
}  // namespace bitmap_export::fixtures
