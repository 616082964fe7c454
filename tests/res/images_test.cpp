#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QString>
#include <ostream>
#include <string>

#include "res/resource_ids.h"

namespace {

QImage Load(std::string_view path) {
  return QImage(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
}

constexpr int kLegendWidth = 278;
constexpr int kLegendHeight = 81;
constexpr int kRowPitch = 16;
constexpr int kSwatchBand = 40;  // the line sits in the left part of its row
constexpr int kDarkText = 96;    // grey level below which a text pixel counts as black ink
constexpr int kLeastInk = 40;    // ink pixels a label must have at the very least

bool IsWhite(QRgb pixel) {
  return pixel == qRgb(255, 255, 255);
}

struct LegendRowCase {
  int row;
  QRgb colour;
  friend void PrintTo(const LegendRowCase& c, std::ostream* out) { *out << "row " << c.row; }
};

class LegendRow : public ::testing::TestWithParam<LegendRowCase> {};

// Row k: its pure colour only in the line part of its 16-pixel band, and
// black text to the right of it.
TEST_P(LegendRow, ShowsAPureColourLineAndABlackLabel) {
  const QImage legend = Load(res::kLegendBitmapPath).convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(legend.isNull());
  const int top = GetParam().row * kRowPitch;
  const int bottom = std::min(top + kRowPitch, kLegendHeight);
  int linePixels = 0;
  int ink = 0;
  for (int y = 0; y < legend.height(); ++y) {
    for (int x = 0; x < legend.width(); ++x) {
      const QRgb pixel = legend.pixel(x, y);
      const bool inBand = y >= top && y < bottom;
      if (x < kSwatchBand) {
        if (pixel == GetParam().colour) {
          EXPECT_TRUE(inBand) << "colour outside its row at " << x << "," << y;
          ++linePixels;
        } else if (inBand) {
          EXPECT_TRUE(IsWhite(pixel)) << "line edge not pure at " << x << "," << y;
        }
      } else if (inBand && qGray(pixel) < kDarkText) {
        ++ink;
      }
    }
  }
  EXPECT_GE(linePixels, 20);
  EXPECT_GE(ink, kLeastInk);
}

const LegendRowCase kLegendRows[] = {
    {0, qRgb(0, 0, 0)},   {1, qRgb(255, 0, 255)}, {2, qRgb(0, 255, 0)},
    {3, qRgb(0, 0, 255)}, {4, qRgb(255, 0, 0)},
};

INSTANTIATE_TEST_SUITE_P(Rows, LegendRow, ::testing::ValuesIn(kLegendRows),
                         [](const auto& test) { return "Row" + std::to_string(test.param.row); });

TEST(LegendBitmap, Is278By81OnWhite) {
  const QImage legend = Load(res::kLegendBitmapPath);
  ASSERT_FALSE(legend.isNull());
  EXPECT_EQ(legend.width(), kLegendWidth);
  EXPECT_EQ(legend.height(), kLegendHeight);
  EXPECT_FALSE(legend.hasAlphaChannel());
  for (const auto& [x, y] : {std::pair{0, 0},
                             {kLegendWidth - 1, 0},
                             {0, kLegendHeight - 1},
                             {kLegendWidth - 1, kLegendHeight - 1}}) {
    EXPECT_TRUE(IsWhite(legend.pixel(x, y))) << x << "," << y;
  }
}

struct IconCase {
  std::string_view path;
  int size;
  friend void PrintTo(const IconCase& c, std::ostream* out) { *out << c.path; }
};

class AppIcon : public ::testing::TestWithParam<IconCase> {};

// Square, with transparent corners outside the rounded card.
TEST_P(AppIcon, IsSquareWithTransparentCorners) {
  const QImage icon = Load(GetParam().path);
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.width(), GetParam().size);
  EXPECT_EQ(icon.height(), GetParam().size);
  ASSERT_TRUE(icon.hasAlphaChannel());
  EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(icon.pixel(icon.width() / 2, icon.height() / 2)), 255);
}

const IconCase kIcons[] = {
    {res::kAppIconPath, 256},
    {res::kAppIconSmallPaths[0], 16},
    {res::kAppIconSmallPaths[1], 32},
    {res::kAppIconSmallPaths[2], 48},
};

INSTANTIATE_TEST_SUITE_P(Sizes, AppIcon, ::testing::ValuesIn(kIcons),
                         [](const auto& test) { return "Size" + std::to_string(test.param.size); });

}  // namespace
