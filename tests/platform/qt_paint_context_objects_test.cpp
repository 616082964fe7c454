#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <string>

#include "drawing/dialog_font.h"
#include "drawing/qt_paint_context.h"
#include "drawing/resource_images.h"
#include "paint_image.h"
#include "test_dialog.h"
#include "tests/support/case_name.h"

namespace platform_test {
namespace {

using platform::DrawingObject;
using platform::kNoObject;
using platform::PaintContext;
using platform::PenStyle;
using platform::QtPaintContext;

constexpr platform::Rgb kGrey = {100, 100, 100};

class PaintObjects : public testing::Test {
 protected:
  QImage image_{kPictureSide, kPictureSide, QImage::Format_RGB32};
  QPainter painter_{&image_};
  QtPaintContext context_{painter_, platform::DialogFont("MS Shell Dlg", 8)};
};

TEST_F(PaintObjects, SelectReturnsThePreviousObjectOfTheSameKind) {
  const DrawingObject pen = context_.CreatePen(PenStyle::kSolid, 1, kGrey);
  const DrawingObject font = context_.CreateFont("Arial", 14, platform::kFontWeightLight);
  ASSERT_NE(pen, kNoObject);
  ASSERT_NE(font, kNoObject);
  const DrawingObject stockPen = context_.SelectObject(pen);
  const DrawingObject stockFont = context_.SelectObject(font);
  EXPECT_NE(stockPen, kNoObject);
  EXPECT_NE(stockFont, kNoObject);
  EXPECT_NE(stockPen, stockFont);
  EXPECT_EQ(context_.SelectObject(stockPen), pen);
  EXPECT_EQ(context_.SelectObject(stockFont), font);
  EXPECT_EQ(context_.SelectObject(12345), kNoObject);
}

TEST_F(PaintObjects, DeleteReleasesOnlyObjectsThatAreNotSelected) {
  const DrawingObject pen = context_.CreatePen(PenStyle::kDot, 1, kGrey);
  const DrawingObject previous = context_.SelectObject(pen);
  EXPECT_EQ(context_.LiveObjectCount(), 1u);
  context_.DeleteObject(pen);
  context_.DeleteObject(previous);
  EXPECT_EQ(context_.LiveObjectCount(), 1u);
  context_.SelectObject(previous);
  context_.DeleteObject(pen);
  EXPECT_EQ(context_.LiveObjectCount(), 0u);
  EXPECT_EQ(context_.SelectObject(pen), kNoObject);
}

TEST_F(PaintObjects, PensAndFontsFailOnceTheQuotaIsFullUntilOneIsReleased) {
  // The stock pen and font, and room for one more.
  constexpr std::size_t kQuota = 3;
  QtPaintContext context(painter_, platform::DialogFont("MS Shell Dlg", 8),
                         platform::PaintTarget::kWindow, kQuota);
  const DrawingObject pen = context.CreatePen(PenStyle::kSolid, 1, kGrey);
  EXPECT_NE(pen, kNoObject);
  EXPECT_EQ(context.CreatePen(PenStyle::kDot, 1, kGrey), kNoObject);
  EXPECT_EQ(context.CreateFont("Arial", 14, platform::kFontWeightLight), kNoObject);
  context.DeleteObject(pen);
  EXPECT_NE(context.CreatePen(PenStyle::kDot, 1, kGrey), kNoObject);
  EXPECT_EQ(context.LiveObjectCount(), 1u);
}

TEST_F(PaintObjects, ArialAtCellHeight14IsLiberationSansAt12PixelsDrawnRegular) {
  context_.SelectObject(context_.CreateFont("Arial", 14, platform::kFontWeightLight));
  const QFont font = context_.SelectedFont();
  EXPECT_EQ(font.pixelSize(), 12);
  EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
  EXPECT_EQ(font.weight(), QFont::Normal);
  EXPECT_EQ(font.styleStrategy() & QFont::NoAntialias, QFont::NoAntialias);
}

TEST(TextOut, StartsWithTheDialogFont) {
  QImage image(kPictureSide, kPictureSide, QImage::Format_RGB32);
  QPainter painter(&image);
  const QtPaintContext context(painter, platform::DialogFont("MS Shell Dlg", 8));
  EXPECT_EQ(context.SelectedFont().pixelSize(), 10);
}

struct TargetCase {
  std::string name;
  platform::PaintTarget target;
  QFont::HintingPreference hinting;
};

class FontsFor : public testing::TestWithParam<TargetCase> {};

// A window's glyphs follow the session; a picture's name their hinting, so
// that a scaled session draws the same pixels as an unscaled one.
TEST_P(FontsFor, NameTheirHintingOnlyInPictures) {
  QImage image(kPictureSide, kPictureSide, QImage::Format_RGB32);
  QPainter painter(&image);
  QtPaintContext context(painter, platform::DialogFont("MS Shell Dlg", 8), GetParam().target);
  EXPECT_EQ(context.SelectedFont().hintingPreference(), GetParam().hinting);
  context.SelectObject(context.CreateFont("Arial", 14, platform::kFontWeightLight));
  EXPECT_EQ(context.SelectedFont().hintingPreference(), GetParam().hinting);
  EXPECT_EQ(context.SelectedFont().pixelSize(), 12);
}

INSTANTIATE_TEST_SUITE_P(Targets, FontsFor,
                         testing::Values(TargetCase{"Window", platform::PaintTarget::kWindow,
                                                    QFont::PreferDefaultHinting},
                                         TargetCase{"Picture", platform::PaintTarget::kPicture,
                                                    QFont::PreferVerticalHinting}),
                         test_support::CaseName());

struct TextBox {
  int left = kPictureSide;
  int top = kPictureSide;
  int right = -1;
  int bottom = -1;
  bool onlyBlackAndWhite = true;
  int black = 0;
};

TextBox Measure(const QImage& image) {
  TextBox box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor colour = image.pixelColor(x, y);
      if (colour == kMarker) {
        continue;
      }
      box = {std::min(box.left, x),   std::min(box.top, y),  std::max(box.right, x),
             std::max(box.bottom, y), box.onlyBlackAndWhite, box.black};
      box.black += colour == QColor(Qt::black) ? 1 : 0;
      box.onlyBlackAndWhite =
          box.onlyBlackAndWhite && (colour == QColor(Qt::black) || colour == QColor(Qt::white));
    }
  }
  return box;
}

struct AlignCase {
  std::string name;
  unsigned align;
  bool centred;
};

class TextCells : public testing::TestWithParam<AlignCase> {};

// The whole cell is painted opaque: white with black, unsmoothed glyphs.
TEST_P(TextCells, FillAnOpaqueCellAtTheReferencePoint) {
  constexpr int kX = 32;
  constexpr int kY = 6;
  QFont font;
  const QImage image = PaintPicture([&font](PaintContext& context) {
    auto& qtContext = static_cast<QtPaintContext&>(context);
    context.SelectObject(context.CreateFont("Arial", 14, platform::kFontWeightLight));
    context.SetTextAlign(GetParam().align);
    context.TextOut(kX, kY, "100");
    font = qtContext.SelectedFont();
  });
  const int width = QFontMetrics(font).horizontalAdvance(QStringLiteral("100"));
  const int left = GetParam().centred ? kX - width / 2 : kX;
  // Cell height 14 was asked for and is what a 12-pixel Liberation Sans has.
  constexpr int kCellHeight = 14;
  const TextBox box = Measure(image);
  EXPECT_EQ(box.left, left);
  EXPECT_EQ(box.right, left + width - 1);
  EXPECT_EQ(box.top, kY);
  EXPECT_EQ(box.bottom, kY + kCellHeight - 1);
  EXPECT_TRUE(box.onlyBlackAndWhite);
  EXPECT_GT(box.black, 0);
  EXPECT_EQ(PaintedPixelCount(image), width * kCellHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Alignments, TextCells,
    testing::Values(AlignCase{"LeftTop", platform::kTextAlignLeft, false},
                    AlignCase{"CentreTop", platform::kTextAlignCenter | platform::kTextAlignTop,
                              true}),
    test_support::CaseName());

TEST(TextOut, LeavesTheCurrentPositionAlone) {
  const QImage image = PaintPicture([](PaintContext& context) {
    context.MoveTo(2, 60);
    context.TextOut(10, 10, "X");
    context.LineTo(6, 60);
  });
  EXPECT_EQ(image.pixelColor(2, 60), QColor(Qt::black));
  EXPECT_EQ(image.pixelColor(5, 60), QColor(Qt::black));
}

TEST(DrawIcon, DrawsTheIconResourceAt32By32) {
  const QImage image =
      PaintPicture([](PaintContext& context) { context.DrawIcon(5, 6, kTestIconId); });
  // The test icon's quadrants are red, green, blue and yellow.
  EXPECT_EQ(image.pixelColor(5, 6), QColor(255, 0, 0));
  EXPECT_EQ(image.pixelColor(36, 6), QColor(0, 255, 0));
  EXPECT_EQ(image.pixelColor(5, 37), QColor(0, 0, 255));
  EXPECT_EQ(image.pixelColor(36, 37), QColor(255, 255, 0));
  EXPECT_EQ(PaintedPixelCount(image), platform::kIconSize * platform::kIconSize);
}

TEST(DrawIcon, ScalesALargerIconTo32By32) {
  const QImage image =
      PaintPicture([](PaintContext& context) { context.DrawIcon(0, 0, kLargeTestIconId); });
  EXPECT_EQ(image.pixelColor(0, 0), QColor(0, 128, 0));
  EXPECT_EQ(image.pixelColor(31, 31), QColor(0, 128, 0));
  EXPECT_EQ(PaintedPixelCount(image), platform::kIconSize * platform::kIconSize);
}

// On a device of pixel ratio 2 the icon covers 64 x 64 device pixels with its
// own picture for that size: each quadrant of the test icon is 32 device
// pixels wide, not a 16-pixel quadrant doubled.
TEST(DrawIcon, OnAFineDeviceUsesTheIconsPixelsForThatScale) {
  constexpr int kScale = 2;
  QImage image(kPictureSide * kScale, kPictureSide * kScale, QImage::Format_RGB32);
  image.setDevicePixelRatio(kScale);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    platform::QtPaintContext context(painter, platform::DialogFont("MS Shell Dlg", 8));
    context.DrawIcon(0, 0, kLargeTestIconId);
  }
  const QPixmap icon = platform::LoadIcon(kLargeTestIconId, platform::kIconSize, kScale);
  EXPECT_EQ(icon.devicePixelRatio(), kScale);
  EXPECT_EQ(icon.size(), QSize(64, 64));
  EXPECT_EQ(image.pixelColor(0, 0), QColor(0, 128, 0));
  EXPECT_EQ(image.pixelColor(63, 63), QColor(0, 128, 0));
  EXPECT_EQ(image.pixelColor(64, 64), QColor(Qt::white));
}

TEST(DrawIcon, AMissingIconDrawsNothing) {
  const QImage image =
      PaintPicture([](PaintContext& context) { context.DrawIcon(5, 6, kMissingResourceId); });
  EXPECT_EQ(PaintedPixelCount(image), 0);
}

}  // namespace
}  // namespace platform_test
