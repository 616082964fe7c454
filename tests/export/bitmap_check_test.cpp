#include "export/bitmap_check.h"

#include <gtest/gtest.h>

#include <string>

#include "bad_bitmaps.h"
#include "export/series_overlay.h"
#include "test_bitmap.h"

namespace bitmap_export::fixtures {
namespace {

TEST(BitmapCheck, AcceptsAValidBitmap) {
  EXPECT_EQ(CheckOverlayBitmap(MakeOverlayBitmap(0)), BitmapCheck::kOk);
}

TEST(BitmapCheck, AcceptsTrailingBytes) {
  EXPECT_EQ(CheckOverlayBitmap(MakeOverlayBitmap(0, 3)), BitmapCheck::kOk);
}

TEST(BitmapCheck, DescribesEveryFault) {
  for (const BadBitmap& bad : kBadBitmaps) {
    EXPECT_NE(DescribeBitmapCheck(bad.expected), "unknown fault") << bad.name;
  }
}

class BadBitmapTest : public ::testing::TestWithParam<BadBitmap> {};

TEST_P(BadBitmapTest, IsRecognised) {
  EXPECT_EQ(CheckOverlayBitmap(MakeBadBitmap(GetParam())), GetParam().expected);
}

TEST_P(BadBitmapTest, OverlayLeavesTheBufferUnchanged) {
  const Bytes original = MakeBadBitmap(GetParam());
  Bytes buffer = original;
  const std::vector<float> series = FlatSeries(0.5F);
  EXPECT_EQ(OverlaySeries(buffer, series.data()), GetParam().expected);
  EXPECT_EQ(buffer, original);
}

INSTANTIATE_TEST_SUITE_P(Faults, BadBitmapTest, ::testing::ValuesIn(kBadBitmaps), BadBitmapName);

}  // namespace
}  // namespace bitmap_export::fixtures
