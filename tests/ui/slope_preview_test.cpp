#include "ui/slope_preview.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/case_name.h"
#include "tests/ui/paint_test_helpers.h"

namespace {

using platform::Colour;
using platform::CreatePenOp;
using platform::DeleteObjectOp;
using platform::LineToOp;
using platform::MoveToOp;
using platform::PaintPoint;
using platform::PenStyle;
using platform::RecordingPaintContext;
using platform::Rgb;
using platform::SystemColour;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::SizeIs;
using ui_test::LinesIn;
using ui_test::PenColours;

const Colour kGrid = SystemColour::kAppWorkspace;
const Colour kFrame = SystemColour::kButtonShadow;
const Colour kCurve = Rgb{222, 0, 0};
constexpr int kCurvePoints = 199;  // t = 0.005 to 0.995
constexpr double kTenPlaces = 5e-11;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

std::vector<LineToOp> CurveOf(std::string_view field, RecordingPaintContext& context) {
  ui::SlopePreview(context, field);
  return LinesIn(context, kCurve);
}

struct CurveCase {
  const char* name;
  double slope;
  double low;
  double high;
  std::optional<double> stretch;  // none: not finite
  double tolerance;
};

class SlopeCurve : public ::testing::TestWithParam<CurveCase> {};

TEST_P(SlopeCurve, HasItsEndsAndStretch) {
  const CurveCase& c = GetParam();
  const ui::SlopeCurve curve = ui::ComputeSlopeCurve(c.slope);
  EXPECT_NEAR(curve.low, c.low, c.tolerance);
  EXPECT_NEAR(curve.high, c.high, c.tolerance);
  if (c.stretch) {
    EXPECT_NEAR(curve.stretch, *c.stretch, c.tolerance);
  } else {
    EXPECT_FALSE(std::isfinite(curve.stretch)) << curve.stretch;
  }
}

INSTANTIATE_TEST_SUITE_P(Slopes, SlopeCurve,
                         ::testing::Values(CurveCase{"WorkedValuesForTheDefault", 10.0,
                                                     0.0066928509, 0.9933071491, 1.0135673098,
                                                     kTenPlaces},
                                           // A huge slope saturates instead of failing.
                                           CurveCase{"Huge", 1.0e6, 0.0, 1.0, 1.0, 0.0},
                                           CurveCase{"Zero", 0.0, 0.5, 0.5, std::nullopt, 0.0}),
                         test_support::CaseName());

// --- Field text -----------------------------------------------------------

struct FieldCase {
  const char* name;
  std::string_view text;
  double expected;
  friend void PrintTo(const FieldCase& c, std::ostream* out) { *out << c.name; }
};

class SlopeField : public ::testing::TestWithParam<FieldCase> {};

TEST_P(SlopeField, ReadsLikeAtofFromTheFirstNineCharacters) {
  EXPECT_EQ(ui::SlopeFromFieldText(GetParam().text), GetParam().expected);
}

const FieldCase kFields[] = {
    {"Default", "10", 10.0},
    {"BlanksSignExponentAndTrailingText", "  -2.5e1x", -25.0},
    {"PlusSign", "+7", 7.0},
    {"Fraction", "0.5", 0.5},
    {"Empty", "", 0.0},
    {"NoNumber", "garbage", 0.0},
    {"CommaEndsTheNumber", "1,5", 1.0},
    {"NinthCharacterCounts", "000000012", 12.0},
    {"TenthCharacterIsCut", "0000000019", 1.0},
    {"LongNumberIsCut", "1234567890123", 123456789.0},
    {"Hexadecimal", "0x1A", 26.0},
    {"OverflowIsInfinite", "1e999", kInfinity},
    {"InfinityWord", "-inf", -kInfinity},
};

INSTANTIATE_TEST_SUITE_P(Texts, SlopeField, ::testing::ValuesIn(kFields), test_support::CaseName());

TEST(SlopeField, NotANumberWordGivesNaN) {
  EXPECT_TRUE(std::isnan(ui::SlopeFromFieldText("nan")));
}

// --- The default preview --------------------------------------------------

struct PointCase {
  int step;  // i of t = 0.005 i
  PaintPoint expected;
  friend void PrintTo(const PointCase& c, std::ostream* out) { *out << "step " << c.step; }
};

class SlopeCurvePoint : public ::testing::TestWithParam<PointCase> {};

TEST_P(SlopeCurvePoint, LiesWhereTheWorkedExampleSays) {
  RecordingPaintContext context;
  const auto curve = CurveOf("10", context);
  ASSERT_THAT(curve, SizeIs(kCurvePoints));
  EXPECT_EQ(curve[static_cast<std::size_t>(GetParam().step - 1)].to, GetParam().expected);
}

const PointCase kPoints[] = {
    {1, {11, 210}},   {50, {60, 196}},  {80, {90, 157}},
    {120, {130, 64}}, {150, {160, 25}}, {199, {209, 11}},
};

INSTANTIATE_TEST_SUITE_P(Worked, SlopeCurvePoint, ::testing::ValuesIn(kPoints),
                         [](const auto& test) { return "Step" + std::to_string(test.param.step); });

TEST(SlopePreview, CurveStartsInTheBottomLeftCornerAndStepsOnePixel) {
  RecordingPaintContext context;
  const auto curve = CurveOf("10", context);
  ASSERT_THAT(curve, SizeIs(kCurvePoints));
  EXPECT_EQ(curve.front().from, (PaintPoint{10, 210}));
  for (std::size_t k = 0; k < curve.size(); ++k) {
    EXPECT_EQ(curve[k].to.x, 11 + static_cast<int>(k));
  }
}

TEST(SlopePreview, GridIsDottedEveryTwentyPixels) {
  RecordingPaintContext context;
  ui::SlopePreview(context, "10");
  std::vector<LineToOp> expected;
  for (int x = 30; x <= 190; x += 20) expected.push_back({{x, 210}, {x, 10}, 0});
  for (int y = 10; y <= 190; y += 20) expected.push_back({{10, y}, {210, y}, 0});
  auto grid = LinesIn(context, kGrid);
  ASSERT_THAT(grid, SizeIs(19));
  EXPECT_EQ(context.PenOf(grid[0].pen)->style, PenStyle::kDot);
  for (LineToOp& line : grid) line.pen = 0;
  EXPECT_THAT(grid, ElementsAreArray(expected));
}

TEST(SlopePreview, FrameHasThreeSolidSides) {
  RecordingPaintContext context;
  ui::SlopePreview(context, "10");
  const auto frame = LinesIn(context, kFrame);
  ASSERT_THAT(frame, SizeIs(3));
  const platform::DrawingObject pen = frame[0].pen;
  EXPECT_EQ(context.PenOf(pen)->style, PenStyle::kSolid);
  EXPECT_THAT(frame,
              ElementsAre(LineToOp{{10, 10}, {10, 210}, pen}, LineToOp{{10, 210}, {210, 210}, pen},
                          LineToOp{{210, 210}, {210, 10}, pen}));
}

TEST(SlopePreview, ReleasesItsThreePensAtTheEndWithTheOriginalPenBack) {
  RecordingPaintContext context;
  ui::SlopePreview(context, "10");
  EXPECT_THAT(PenColours(context), ElementsAre(kGrid, kFrame, kCurve));
  std::vector<platform::DrawingObject> made;
  for (const CreatePenOp& pen : context.OpsOf<CreatePenOp>()) made.push_back(pen.result);
  const auto& ops = context.Ops();
  ASSERT_GE(ops.size(), 3u);
  EXPECT_THAT(std::vector(ops.end() - 3, ops.end()),
              ElementsAre(platform::PaintOp(DeleteObjectOp{made[0]}),
                          platform::PaintOp(DeleteObjectOp{made[1]}),
                          platform::PaintOp(DeleteObjectOp{made[2]})));
  EXPECT_THAT(context.Problems(), IsEmpty());
}

// --- Slopes without a shape -----------------------------------------------

class SlopeWithoutShape : public ::testing::TestWithParam<std::string_view> {};

TEST_P(SlopeWithoutShape, DrawsGridFrameAndAFlatLineThroughTheMiddle) {
  RecordingPaintContext context;
  const auto curve = CurveOf(GetParam(), context);
  ASSERT_THAT(curve, SizeIs(1));
  EXPECT_EQ(curve[0].from, (PaintPoint{10, 110}));
  EXPECT_EQ(curve[0].to, (PaintPoint{209, 110}));
  EXPECT_THAT(LinesIn(context, kGrid), SizeIs(19));
  EXPECT_THAT(LinesIn(context, kFrame), SizeIs(3));
  EXPECT_THAT(context.Problems(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Texts, SlopeWithoutShape,
                         ::testing::Values("0", "", "garbage", "-0", "nan", "1e-400", "1e-17"));

// --- Steep slopes ---------------------------------------------------------

TEST(SlopePreview, LargeSlopeDrawsAStep) {
  RecordingPaintContext context;
  const auto curve = CurveOf("1000000", context);
  ASSERT_THAT(curve, SizeIs(kCurvePoints));
  for (const LineToOp& line : curve) {
    const int i = line.to.x - 10;
    const int expected = i < 100 ? 210 : (i == 100 ? 110 : 10);
    EXPECT_EQ(line.to.y, expected) << line;
  }
}

// An infinite slope makes the middle sample 0 x infinity: that point is left
// out and the curve resumes one pixel later with a move.
TEST(SlopePreview, InfiniteSlopeLeavesOutTheUndefinedMiddlePoint) {
  RecordingPaintContext context;
  const auto curve = CurveOf("1e999", context);
  EXPECT_THAT(curve, SizeIs(kCurvePoints - 2));
  for (const LineToOp& line : curve) {
    EXPECT_NE(line.to.x, 110) << line;
    EXPECT_NE(line.to.x, 111) << line;
  }
  EXPECT_EQ(context.OpsOf<MoveToOp>().back().to, (PaintPoint{111, 10}));
  EXPECT_THAT(context.Problems(), IsEmpty());
}

// --- Failures -------------------------------------------------------------

class SlopePenFailure : public ::testing::TestWithParam<int> {};

// Pens are made in this order: grid, frame, curve.
TEST_P(SlopePenFailure, EndsThePaintCleanly) {
  RecordingPaintContext context;
  context.FailCreatePenAt(GetParam());
  ui::SlopePreview(context, "10");
  EXPECT_THAT(context.Problems(), IsEmpty());
  EXPECT_THAT(context.OpsOf<CreatePenOp>(), SizeIs(GetParam()));
  const auto& ops = context.Ops();
  const std::size_t failed = ui_test::LastIndexOf<CreatePenOp>(context);
  for (std::size_t i = failed + 1; i < ops.size(); ++i) {
    const bool cleanUp = std::holds_alternative<platform::SelectObjectOp>(ops[i]) ||
                         std::holds_alternative<DeleteObjectOp>(ops[i]);
    EXPECT_TRUE(cleanUp) << "drew after the failure: " << ops[i];
  }
}

INSTANTIATE_TEST_SUITE_P(EachPen, SlopePenFailure, ::testing::Range(1, 4));

}  // namespace
