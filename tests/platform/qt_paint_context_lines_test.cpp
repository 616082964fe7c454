#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drawing/line_raster.h"
#include "drawing/paint_context.h"
#include "paint_image.h"
#include "tests/support/case_name.h"

namespace platform_test {
namespace {

using platform::Colour;
using platform::DrawingObject;
using platform::PaintContext;
using platform::PenStyle;
using platform::PixelPoint;
using platform::Rgb;

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kRedColour(255, 0, 0);
constexpr Rgb kRed = {255, 0, 0};
constexpr Rgb kBlue = {0, 0, 255};
constexpr Rgb kGreen = {0, 255, 0};

void SelectPen(PaintContext& context, PenStyle style, int width, Colour colour) {
  const DrawingObject pen = context.CreatePen(style, width, colour);
  ASSERT_NE(pen, platform::kNoObject);
  context.SelectObject(pen);
}

struct LineCase {
  std::string name;
  PixelPoint to;
};

class LinesInPixels : public testing::TestWithParam<LineCase> {};

constexpr PixelPoint kCentre = {32, 32};

// The picture holds the line's pixels in the default black pen and nothing
// else: its end point stays unpainted.
TEST_P(LinesInPixels, PaintTheirPixelsButNotTheEndPoint) {
  const QImage image = PaintPicture([](PaintContext& context) {
    context.MoveTo(kCentre.x, kCentre.y);
    context.LineTo(GetParam().to.x, GetParam().to.y);
  });
  const std::vector<PixelPoint> pixels = platform::LinePixels(kCentre, GetParam().to);
  for (const PixelPoint& pixel : pixels) {
    EXPECT_EQ(image.pixelColor(pixel.x, pixel.y), kBlack) << pixel.x << ", " << pixel.y;
  }
  EXPECT_EQ(image.pixelColor(GetParam().to.x, GetParam().to.y), kMarker);
  EXPECT_EQ(PaintedPixelCount(image), static_cast<int>(pixels.size()));
}

INSTANTIATE_TEST_SUITE_P(Octants, LinesInPixels,
                         testing::Values(LineCase{"East", {52, 32}}, LineCase{"Octant1", {52, 39}},
                                         LineCase{"Octant2", {39, 52}}, LineCase{"South", {32, 52}},
                                         LineCase{"Octant3", {25, 52}},
                                         LineCase{"Octant4", {12, 39}}, LineCase{"West", {12, 32}},
                                         LineCase{"Octant5", {12, 25}},
                                         LineCase{"Octant6", {25, 12}}, LineCase{"North", {32, 12}},
                                         LineCase{"Octant7", {39, 12}},
                                         LineCase{"Octant8", {52, 25}},
                                         LineCase{"Diagonal", {44, 44}}),
                         test_support::CaseName());

TEST(LineTo, OfZeroLengthDrawsNothing) {
  const QImage image = PaintPicture([](PaintContext& context) {
    context.MoveTo(5, 5);
    context.LineTo(5, 5);
    context.LineTo(5, 5);
  });
  EXPECT_EQ(PaintedPixelCount(image), 0);
}

TEST(LineTo, ContinuesFromItsEndPoint) {
  const QImage image = PaintPicture([](PaintContext& context) {
    context.MoveTo(5, 5);
    context.LineTo(10, 5);
    context.LineTo(10, 10);
  });
  for (int x = 5; x <= 10; ++x) {
    EXPECT_EQ(image.pixelColor(x, 5), kBlack) << x;
  }
  for (int y = 6; y < 10; ++y) {
    EXPECT_EQ(image.pixelColor(10, y), kBlack) << y;
  }
  EXPECT_EQ(image.pixelColor(10, 10), kMarker);
  EXPECT_EQ(PaintedPixelCount(image), 10);
}

// Dots and gaps of three pixels, the gaps white, counted afresh on every line.
TEST(DottedPen, DrawsThreeOnThreeOffRestartingAtEachLine) {
  const QImage image = PaintPicture([](PaintContext& context) {
    SelectPen(context, PenStyle::kDot, 1, kRed);
    context.MoveTo(0, 2);
    context.LineTo(20, 2);
    context.LineTo(20, 14);
  });
  for (int x = 0; x < 20; ++x) {
    EXPECT_EQ(image.pixelColor(x, 2), x % 6 < 3 ? kRedColour : kWhite) << x;
  }
  for (int step = 0; step < 12; ++step) {
    EXPECT_EQ(image.pixelColor(20, 2 + step), step % 6 < 3 ? kRedColour : kWhite) << step;
  }
  EXPECT_EQ(image.pixelColor(20, 14), kMarker);
  EXPECT_EQ(PaintedPixelCount(image), 32);
}

TEST(DottedPen, AShortLineIsOneDot) {
  const QImage image = PaintPicture([](PaintContext& context) {
    SelectPen(context, PenStyle::kDot, 1, kRed);
    context.MoveTo(4, 4);
    context.LineTo(2, 4);
  });
  EXPECT_EQ(image.pixelColor(4, 4), kRedColour);
  EXPECT_EQ(image.pixelColor(3, 4), kRedColour);
  EXPECT_EQ(PaintedPixelCount(image), 2);
}

TEST(DottedPen, WiderThanOnePixelDrawsSolid) {
  const QImage image = PaintPicture([](PaintContext& context) {
    SelectPen(context, PenStyle::kDot, 3, kRed);
    context.MoveTo(10, 10);
    context.LineTo(30, 10);
  });
  for (int x = 10; x < 30; ++x) {
    EXPECT_EQ(image.pixelColor(x, 10), kRedColour) << x;
    EXPECT_EQ(image.pixelColor(x, 9), kRedColour) << x;
  }
}

struct SystemColourCase {
  platform::SystemColour colour;
  QColor value;
};

class SystemColours : public testing::TestWithParam<SystemColourCase> {};

TEST_P(SystemColours, DrawFixedGreys) {
  const QImage image = PaintPicture([](PaintContext& context) {
    SelectPen(context, PenStyle::kSolid, 1, GetParam().colour);
    context.MoveTo(1, 1);
    context.LineTo(4, 1);
  });
  EXPECT_EQ(image.pixelColor(1, 1), GetParam().value);
  EXPECT_EQ(image.pixelColor(3, 1), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Colours, SystemColours,
                         testing::Values(SystemColourCase{platform::SystemColour::kAppWorkspace,
                                                          QColor(171, 171, 171)},
                                         SystemColourCase{platform::SystemColour::kButtonShadow,
                                                          QColor(160, 160, 160)}));

TEST(Lines, LaterLinesCoverEarlierOnes) {
  const QImage image = PaintPicture([](PaintContext& context) {
    SelectPen(context, PenStyle::kSolid, 1, kRed);
    context.MoveTo(0, 5);
    context.LineTo(20, 5);
    SelectPen(context, PenStyle::kSolid, 1, kBlue);
    context.MoveTo(10, 0);
    context.LineTo(10, 10);
    // Step 3 of this dotted line, a gap, lands on the red line.
    SelectPen(context, PenStyle::kDot, 1, kGreen);
    context.MoveTo(12, 2);
    context.LineTo(12, 10);
  });
  EXPECT_EQ(image.pixelColor(10, 5), QColor(0, 0, 255));
  EXPECT_EQ(image.pixelColor(12, 5), kWhite);
  EXPECT_EQ(image.pixelColor(12, 2), QColor(0, 255, 0));
  EXPECT_EQ(image.pixelColor(11, 5), kRedColour);
}

}  // namespace
}  // namespace platform_test
