#include "export/overlay_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace bitmap_export {
namespace {

TEST(OverlayGeometry, PointsRunFromColumn20To620) {
  EXPECT_EQ(OverlayColumn(0), 20);
  EXPECT_EQ(OverlayColumn(1), 26);
  EXPECT_EQ(OverlayColumn(100), 620);
}

struct RowCase {
  float value;
  int row;
};

class OverlayRowTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(OverlayRowTest, MapsValueToRow) {
  EXPECT_EQ(OverlayRow(GetParam().value), std::optional<int>(GetParam().row));
}

INSTANTIATE_TEST_SUITE_P(
    Values, OverlayRowTest,
    ::testing::Values(RowCase{0.0F, 20}, RowCase{0.5F, 170}, RowCase{1.0F, 320}, RowCase{-0.0F, 20},
                      // 0.1f is slightly above 0.1: 30.0000004 rows, truncated.
                      RowCase{0.1F, 50}, RowCase{-0.1F, -10},
                      // Truncation toward zero: -0.9 rows becomes 0, not -1.
                      RowCase{-0.003F, 20}, RowCase{2.0F, 620}, RowCase{7.0e6F, 2'100'000'020},
                      RowCase{-7.0e6F, -2'099'999'980}));

TEST(OverlayGeometry, NonNegativeValuesAreFlooredRows) {
  for (int step = 0; step <= 1000; ++step) {
    const float value = static_cast<float>(step) / 997.0F;
    const int expected = 20 + static_cast<int>(std::floor(300.0 * static_cast<double>(value)));
    EXPECT_EQ(OverlayRow(value), std::optional<int>(expected)) << value;
  }
}

TEST(OverlayGeometry, ValuesWithoutAnIntRowHaveNoRow) {
  constexpr float kInfinity = std::numeric_limits<float>::infinity();
  EXPECT_EQ(OverlayRow(std::numeric_limits<float>::quiet_NaN()), std::nullopt);
  EXPECT_EQ(OverlayRow(kInfinity), std::nullopt);
  EXPECT_EQ(OverlayRow(-kInfinity), std::nullopt);
  EXPECT_EQ(OverlayRow(std::numeric_limits<float>::max()), std::nullopt);
  EXPECT_EQ(OverlayRow(-std::numeric_limits<float>::max()), std::nullopt);
  EXPECT_EQ(OverlayRow(7.2e6F), std::nullopt);
  EXPECT_EQ(OverlayRow(-7.2e6F), std::nullopt);
}

}  // namespace
}  // namespace bitmap_export
