#include "map/viridis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/support/case_name.h"

namespace map {
namespace {

// A table colour as bytes, rounded as the map rounds it.
Rgb Bytes(double r, double g, double b) {
  const auto byte = [](double unit) { return static_cast<std::uint8_t>(std::lround(unit * 255)); };
  return {byte(r), byte(g), byte(b)};
}

struct EndCase {
  const char* name;
  double t;
  Rgb expected;
};

// The first, middle and last entries of the published 256-entry table.
const EndCase kEnds[] = {
    {"First", 0.0, Bytes(0.267004, 0.004874, 0.329415)},
    {"Entry128", 128.0 / 255, Bytes(0.127568, 0.566949, 0.550556)},
    {"Last", 1.0, Bytes(0.993248, 0.906157, 0.143936)},
    {"BelowClamped", -3.0, Bytes(0.267004, 0.004874, 0.329415)},
    {"AboveClamped", 7.0, Bytes(0.993248, 0.906157, 0.143936)},
};

class ViridisEnds : public testing::TestWithParam<EndCase> {};

TEST_P(ViridisEnds, AreTheTablesEntries) {
  EXPECT_EQ(Viridis(GetParam().t), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ViridisEnds, testing::ValuesIn(kEnds), test_support::CaseName());

// Viridis's lightness rises all the way; in 8-bit colours a step of a 256th
// may dip by a rounding, so the check takes 32 steps.
TEST(Viridis, GrowsLighterAllTheWay) {
  constexpr int kSamples = 33;
  double previous = -1.0;
  for (int i = 0; i < kSamples; ++i) {
    const double luminance = Luminance(Viridis(static_cast<double>(i) / (kSamples - 1)));
    EXPECT_GT(luminance, previous) << i;
    previous = luminance;
  }
  EXPECT_GT(Luminance(Viridis(1.0)), 10 * Luminance(Viridis(0.0)));
}

TEST(Viridis, NotANumberIsGrey) {
  const Rgb grey = Viridis(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(grey[0], grey[1]);
  EXPECT_EQ(grey[1], grey[2]);
}

TEST(Luminance, OfBlackAndWhite) {
  EXPECT_EQ(Luminance({0, 0, 0}), 0.0);
  EXPECT_NEAR(Luminance({255, 255, 255}), 1.0, 1e-12);
}

}  // namespace
}  // namespace map
