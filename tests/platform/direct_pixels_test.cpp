#include "drawing/direct_pixels.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPicture>
#include <functional>
#include <string>

#include "paint_image.h"
#include "tests/support/case_name.h"

namespace platform_test {
namespace {

using platform::DirectPixels;

const QColor kRed(255, 0, 0);

struct Availability {
  std::string name;
  QImage::Format format;
  std::function<void(QPainter&)> setUp;
  bool available;
};

class DirectPixelsOf : public testing::TestWithParam<Availability> {};

TEST_P(DirectPixelsOf, AreOfferedOnlyWhereThePainterWouldDrawTheSamePixels) {
  QImage image(kPictureSide, kPictureSide, GetParam().format);
  QPainter painter(&image);
  GetParam().setUp(painter);
  EXPECT_EQ(DirectPixels::Of(painter).has_value(), GetParam().available);
}

const auto kAsItComes = [](QPainter&) {};

INSTANTIATE_TEST_SUITE_P(
    Painters, DirectPixelsOf,
    testing::Values(
        Availability{"Rgb32", QImage::Format_RGB32, kAsItComes, true},
        Availability{"Argb32", QImage::Format_ARGB32, kAsItComes, true},
        Availability{"Argb32Premultiplied", QImage::Format_ARGB32_Premultiplied, kAsItComes, true},
        Availability{"Rgb888", QImage::Format_RGB888, kAsItComes, false},
        Availability{"Rgb16", QImage::Format_RGB16, kAsItComes, false},
        Availability{"WholePixelTranslation", QImage::Format_RGB32,
                     [](QPainter& painter) { painter.translate(3, -2); }, true},
        Availability{"FractionalTranslation", QImage::Format_RGB32,
                     [](QPainter& painter) { painter.translate(0.5, 0); }, false},
        Availability{"Scaled", QImage::Format_RGB32, [](QPainter& painter) { painter.scale(2, 2); },
                     false},
        Availability{"Clipped", QImage::Format_RGB32,
                     [](QPainter& painter) { painter.setClipRect(0, 0, 10, 10); }, false},
        Availability{"HalfOpaque", QImage::Format_RGB32,
                     [](QPainter& painter) { painter.setOpacity(0.5); }, false},
        Availability{"Xor", QImage::Format_RGB32,
                     [](QPainter& painter) {
                       painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
                     },
                     false}),
    test_support::CaseName());

TEST(DirectPixels, AreNotOfferedForAPictureOrAnInactivePainter) {
  QPicture picture;
  QPainter recording(&picture);
  EXPECT_FALSE(DirectPixels::Of(recording).has_value());
  QPainter idle;
  EXPECT_FALSE(DirectPixels::Of(idle).has_value());
}

TEST(DirectPixels, FillFollowsTheTranslationAndStopsAtTheImagesEdges) {
  QImage image(kPictureSide, kPictureSide, QImage::Format_RGB32);
  image.fill(kMarker);
  QPainter painter(&image);
  painter.translate(4, 2);
  const std::optional<DirectPixels> pixels = DirectPixels::Of(painter);
  ASSERT_TRUE(pixels.has_value());
  pixels->Fill(QRect(-10, 0, 12, 1), kRed.rgba());
  pixels->Fill(QRect(kPictureSide - 6, kPictureSide - 4, 50, 50), kRed.rgba());
  painter.end();
  EXPECT_EQ(image.pixelColor(0, 2), kRed);
  EXPECT_EQ(image.pixelColor(5, 2), kRed);
  EXPECT_EQ(image.pixelColor(6, 2), kMarker);
  EXPECT_EQ(image.pixelColor(kPictureSide - 2, kPictureSide - 2), kRed);
  EXPECT_EQ(image.pixelColor(kPictureSide - 3, kPictureSide - 2), kMarker);
  EXPECT_EQ(PaintedPixelCount(image), 6 + 4);
}

}  // namespace
}  // namespace platform_test
