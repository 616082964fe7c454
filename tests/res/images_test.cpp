#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QString>
#include <array>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

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

// The legend as drawn for a scale: its path and its pixels per pixel.
struct LegendPicture {
  std::string_view path;
  int scale;
};

const LegendPicture kLegendPictures[] = {{res::kLegendBitmapPath, 1},
                                         {res::kLegendBitmapDoublePath, 2}};

struct LegendRowCase {
  int row;
  QRgb colour;
  LegendPicture picture;
  friend void PrintTo(const LegendRowCase& c, std::ostream* out) {
    *out << "row " << c.row << " at " << c.picture.scale << "x";
  }
};

class LegendRow : public ::testing::TestWithParam<LegendRowCase> {};

// Row k: its pure colour only in the line part of its 16-pixel band, and
// black text to the right of it.
TEST_P(LegendRow, ShowsAPureColourLineAndABlackLabel) {
  const int scale = GetParam().picture.scale;
  const QImage legend = Load(GetParam().picture.path).convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(legend.isNull());
  const int top = GetParam().row * kRowPitch * scale;
  const int bottom = std::min(top + kRowPitch * scale, kLegendHeight * scale);
  int linePixels = 0;
  int ink = 0;
  for (int y = 0; y < legend.height(); ++y) {
    for (int x = 0; x < legend.width(); ++x) {
      const QRgb pixel = legend.pixel(x, y);
      const bool inBand = y >= top && y < bottom;
      if (x < kSwatchBand * scale) {
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
  EXPECT_GE(linePixels, 20 * scale * scale);
  EXPECT_GE(ink, kLeastInk * scale);
}

std::vector<LegendRowCase> LegendRows() {
  constexpr std::array<QRgb, 5> kColours = {qRgb(0, 0, 0), qRgb(255, 0, 255), qRgb(0, 255, 0),
                                            qRgb(0, 0, 255), qRgb(255, 0, 0)};
  std::vector<LegendRowCase> rows;
  for (const LegendPicture& picture : kLegendPictures) {
    for (int row = 0; row < static_cast<int>(kColours.size()); ++row) {
      rows.push_back({row, kColours[static_cast<std::size_t>(row)], picture});
    }
  }
  return rows;
}

INSTANTIATE_TEST_SUITE_P(Rows, LegendRow, ::testing::ValuesIn(LegendRows()), [](const auto& test) {
  return "Row" + std::to_string(test.param.row) + "At" + std::to_string(test.param.picture.scale) +
         "x";
});

class LegendBitmap : public ::testing::TestWithParam<LegendPicture> {};

TEST_P(LegendBitmap, Is278By81TimesItsScaleOnWhite) {
  const int scale = GetParam().scale;
  const QImage legend = Load(GetParam().path);
  ASSERT_FALSE(legend.isNull());
  EXPECT_EQ(legend.width(), kLegendWidth * scale);
  EXPECT_EQ(legend.height(), kLegendHeight * scale);
  EXPECT_FALSE(legend.hasAlphaChannel());
  const int right = legend.width() - 1;
  const int bottom = legend.height() - 1;
  for (const auto& [x, y] : {std::pair{0, 0}, {right, 0}, {0, bottom}, {right, bottom}}) {
    EXPECT_TRUE(IsWhite(legend.pixel(x, y))) << x << "," << y;
  }
}

INSTANTIATE_TEST_SUITE_P(Scales, LegendBitmap, ::testing::ValuesIn(kLegendPictures),
                         [](const auto& test) {
                           return "At" + std::to_string(test.param.scale) + "x";
                         });

// The fine legend is the same picture: shrunk to 1x, it differs from the 1x
// legend only where text edges fall between pixels.
TEST(LegendBitmap, TheDoubleSizeOneShrinksToTheSamePicture) {
  const QImage coarse = Load(res::kLegendBitmapPath).convertToFormat(QImage::Format_RGB32);
  const QImage fine =
      Load(res::kLegendBitmapDoublePath)
          .scaled(kLegendWidth, kLegendHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
          .convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(coarse.size(), fine.size());
  long difference = 0;
  for (int y = 0; y < coarse.height(); ++y) {
    for (int x = 0; x < coarse.width(); ++x) {
      difference += std::abs(qGray(coarse.pixel(x, y)) - qGray(fine.pixel(x, y)));
    }
  }
  const double meanDifference = static_cast<double>(difference) / (kLegendWidth * kLegendHeight);
  EXPECT_LT(meanDifference, 8.0);
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
    {res::kAppIconPath, 256},         {res::kAppIconSmallPaths[0], 16},
    {res::kAppIconSmallPaths[1], 32}, {res::kAppIconSmallPaths[2], 48},
    {res::kAppIconSmallPaths[3], 64}, {res::kAppIconSmallPaths[4], 96},
};

INSTANTIATE_TEST_SUITE_P(Sizes, AppIcon, ::testing::ValuesIn(kIcons),
                         [](const auto& test) { return "Size" + std::to_string(test.param.size); });

}  // namespace
