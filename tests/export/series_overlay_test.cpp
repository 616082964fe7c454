#include "export/series_overlay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "test_bitmap.h"

namespace bitmap_export::fixtures {
namespace {

constexpr std::uint8_t kCurve = 7;

// Overlays `series` on `file` and returns the positions that changed.
std::vector<Pixel> Overlay(Bytes& file, const std::vector<float>& series) {
  const Bytes before = file;
  EXPECT_EQ(OverlaySeries(file, series.data()), BitmapCheck::kOk);
  EXPECT_TRUE(SameOutsidePixelArray(before, file));
  return ChangedPixels(before, file);
}

// A rising, S-shaped series of the kind a run produces.
std::vector<float> RisingSeries() {
  std::vector<float> series(kSeriesPoints);
  for (int k = 0; k < kSeriesPoints; ++k) {
    series[static_cast<std::size_t>(k)] =
        static_cast<float>(1.0 / (1.0 + std::exp(-(k - 50) / 8.0)));
  }
  return series;
}

TEST(SeriesOverlay, FlatSeriesIsOneRowOf601Pixels) {
  Bytes file = MakeOverlayBitmap(kCurve);
  const std::vector<Pixel> drawn = Overlay(file, FlatSeries(0.5F));
  ASSERT_EQ(drawn.size(), 601U);
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    EXPECT_EQ(drawn[i], (Pixel{20 + static_cast<int>(i), 170}));
    EXPECT_EQ(PixelAt(file, drawn[i].x, drawn[i].row), kCurve);
  }
}

struct LevelCase {
  float value;
  int row;
};

class SeriesLevelTest : public ::testing::TestWithParam<LevelCase> {};

TEST_P(SeriesLevelTest, FlatSeriesLandsOnItsRow) {
  Bytes file = MakeOverlayBitmap(kCurve);
  const std::vector<Pixel> drawn = Overlay(file, FlatSeries(GetParam().value));
  const int row = GetParam().row;
  ASSERT_EQ(drawn.size(), 601U);
  EXPECT_TRUE(
      std::all_of(drawn.begin(), drawn.end(), [row](const Pixel& p) { return p.row == row; }));
}

INSTANTIATE_TEST_SUITE_P(Levels, SeriesLevelTest,
                         ::testing::Values(LevelCase{0.0F, 20}, LevelCase{0.5F, 170},
                                           LevelCase{1.0F, 320}));

TEST(SeriesOverlay, PointsSitOnTheirColumnsAndRows) {
  Bytes file = MakeOverlayBitmap(kCurve);
  std::vector<float> series = FlatSeries(0.0F);
  series[50] = 0.5F;
  series[100] = 1.0F;
  Overlay(file, series);
  EXPECT_EQ(PixelAt(file, 20, 20), kCurve);
  EXPECT_EQ(PixelAt(file, 320, 170), kCurve);
  EXPECT_EQ(PixelAt(file, 620, 320), kCurve);
}

class CurveColourTest : public ::testing::TestWithParam<int> {};

TEST_P(CurveColourTest, DrawsInTheStoredColourAndAdvancesIt) {
  const auto colour = static_cast<std::uint8_t>(GetParam());
  Bytes file = MakeOverlayBitmap(colour);
  const std::vector<Pixel> drawn = Overlay(file, RisingSeries());
  ASSERT_FALSE(drawn.empty());
  for (const Pixel& p : drawn) {
    EXPECT_EQ(PixelAt(file, p.x, p.row), colour);
  }
  EXPECT_EQ(file[kColourByte], static_cast<std::uint8_t>((GetParam() + 1) % 256));
}

INSTANTIATE_TEST_SUITE_P(Colours, CurveColourTest, ::testing::Values(1, 7, 128, 254, 255));

TEST(SeriesOverlay, WrapsColour255ToZero) {
  Bytes file = MakeOverlayBitmap(255);
  Overlay(file, RisingSeries());
  EXPECT_EQ(file[kColourByte], 0);
}

TEST(SeriesOverlay, SecondExportRedrawsTheSamePixelsInTheNextColour) {
  Bytes file = MakeOverlayBitmap(kCurve);
  const std::vector<float> series = RisingSeries();
  const Bytes blank = file;
  const std::vector<Pixel> first = Overlay(file, series);
  const Bytes afterFirst = file;
  const std::vector<Pixel> second = Overlay(file, series);

  EXPECT_EQ(first, second);
  EXPECT_EQ(ChangedPixels(blank, file), first);
  for (const Pixel& p : first) {
    EXPECT_EQ(PixelAt(afterFirst, p.x, p.row), kCurve);
    EXPECT_EQ(PixelAt(file, p.x, p.row), kCurve + 1);
  }
  EXPECT_EQ(file[kColourByte], kCurve + 2);
  EXPECT_EQ(file.size(), blank.size());
}

TEST(SeriesOverlay, WithoutSeriesNothingChanges) {
  Bytes file = MakeOverlayBitmap(kCurve);
  const Bytes original = file;
  EXPECT_EQ(OverlaySeries(file, nullptr), BitmapCheck::kOk);
  EXPECT_EQ(file, original);
}

TEST(SeriesOverlay, TrailingBytesAreKept) {
  Bytes file = MakeOverlayBitmap(kCurve, 5);
  const Bytes original = file;
  Overlay(file, RisingSeries());
  EXPECT_EQ(file.size(), original.size());
  EXPECT_TRUE(std::equal(original.begin() + kPixelEnd, original.end(), file.begin() + kPixelEnd));
}

TEST(SeriesOverlay, PointWithoutRowDropsItsTwoSegments) {
  Bytes file = MakeOverlayBitmap(kCurve);
  std::vector<float> series = FlatSeries(0.5F);
  series[50] = std::numeric_limits<float>::quiet_NaN();
  const std::vector<Pixel> drawn = Overlay(file, series);
  // Segments 1-49 cover x 20-314 and segments 52-100 cover x 326-620.
  ASSERT_EQ(drawn.size(), 2U * 295U);
  for (const Pixel& p : drawn) {
    EXPECT_EQ(p.row, 170);
    EXPECT_TRUE(p.x <= 314 || p.x >= 326) << p.x;
  }
}

TEST(SeriesOverlay, SteepSpikeIsClippedAtTheTopRow) {
  Bytes file = MakeOverlayBitmap(kCurve);
  std::vector<float> series = FlatSeries(0.5F);
  series[50] = 5.0F;  // row 1520
  const std::vector<Pixel> drawn = Overlay(file, series);
  const auto top = std::max_element(drawn.begin(), drawn.end(),
                                    [](const Pixel& a, const Pixel& b) { return a.row < b.row; });
  ASSERT_NE(top, drawn.end());
  EXPECT_EQ(top->row, kHeight - 1);
  // Each of the two steep segments takes rows 170 to 339, one pixel each.
  EXPECT_EQ(std::count_if(drawn.begin(), drawn.end(), [](const Pixel& p) { return p.row > 170; }),
            2 * (kHeight - 1 - 170));
}

class OffCanvasTest : public ::testing::TestWithParam<float> {};

TEST_P(OffCanvasTest, FlatSeriesOffTheCanvasDrawsNothingButAdvancesTheColour) {
  Bytes file = MakeOverlayBitmap(kCurve);
  EXPECT_TRUE(Overlay(file, FlatSeries(GetParam())).empty());
  EXPECT_EQ(file[kColourByte], kCurve + 1);
}

// 1.1 is row 350 and -0.2 is row -40: shallow segments off the canvas.
INSTANTIATE_TEST_SUITE_P(Values, OffCanvasTest,
                         ::testing::Values(1.1F, -0.2F, 1.0e9F,
                                           std::numeric_limits<float>::infinity(),
                                           std::numeric_limits<float>::quiet_NaN()));

}  // namespace
}  // namespace bitmap_export::fixtures
