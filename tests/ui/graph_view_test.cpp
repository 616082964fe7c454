#include "ui/graph_view.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "res/control_ids.h"
#include "tests/support/case_name.h"
#include "tests/ui/paint_test_helpers.h"

namespace {

using platform::ClientRect;
using platform::Colour;
using platform::CreateFontOp;
using platform::CreatePenOp;
using platform::DrawIconOp;
using platform::LineToOp;
using platform::MoveToOp;
using platform::PaintOp;
using platform::PenStyle;
using platform::RecordingPaintContext;
using platform::Rgb;
using platform::SystemColour;
using platform::TextOutOp;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::SizeIs;
using ui::GraphGeometry;
using ui_test::LinesIn;
using ui_test::PenColours;

constexpr ClientRect kWorkedClient{0, 0, 828, 621};
constexpr GraphGeometry kWorkedGeometry{8, 14, 814, 3, 5, 305};
constexpr int kPoints = model::kStepCount;
constexpr int kGridLines = 19;
constexpr int kFrameLines = 3;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

const Colour kGrid = SystemColour::kAppWorkspace;
const Colour kFrame = SystemColour::kButtonShadow;
const Colour kBlack = Rgb{0, 0, 0};
const Colour kMagenta = Rgb{200, 100, 200};
const Colour kRed = Rgb{222, 0, 0};
const Colour kGreen = Rgb{0, 200, 0};
const Colour kBlue = Rgb{0, 0, 200};

const std::set<int> kAllBoxes = {res::kIdCheckFirstOrderRate, res::kIdCheckSecondOrderRate,
                                 res::kIdCheckMeanPropensityVolunteers,
                                 res::kIdCheckMeanPropensityNonVolunteers,
                                 res::kIdCheckMeanPropensity};

// A paint of the graph with five series the test fills and a set of ticked boxes.
class GraphPaint : public ::testing::Test {
 protected:
  GraphPaint() {
    for (std::size_t k = 0; k < values_.size(); ++k) {
      values_[k].fill(0.5f);
      data_[k] = values_[k].data();
    }
  }

  void Paint(const ClientRect& client = kWorkedClient, bool plotReady = true) {
    ui::PaintGraph(context_, client, plotReady, data_, Shown());
  }

  // The ticks as the dialog hands them to the paint.
  ui::ShownSeries Shown() const {
    ui::ShownSeries shown{};
    for (const ui::SeriesPen& pen : ui::kSeriesPens)
      shown[pen.series] = ticked_.contains(pen.checkBoxId);
    return shown;
  }

  std::size_t CountLines() const { return context_.OpsOf<LineToOp>().size(); }

  std::array<std::array<float, kPoints>, model::kSeriesCount> values_{};
  model::SeriesPointers data_{};
  std::set<int> ticked_;
  RecordingPaintContext context_;
};

// --- Geometry -------------------------------------------------------------

struct GeometryCase {
  const char* name;
  ClientRect client;
  GraphGeometry expected;
  friend void PrintTo(const GeometryCase& c, std::ostream* out) { *out << c.name; }
};

class GraphGeometryTest : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(GraphGeometryTest, FollowsTheClientArea) {
  EXPECT_EQ(ui::ComputeGraphGeometry(GetParam().client), GetParam().expected);
}

const GeometryCase kGeometries[] = {
    {"WorkedExample", kWorkedClient, kWorkedGeometry},
    {"NarrowerThan120HasNoXScale", {0, 0, 119, 621}, {0, 59, 59, 3, 5, 305}},
    {"Width120", {0, 0, 120, 621}, {1, 10, 110, 3, 5, 305}},
    {"UpperHalfBelow110HasNoYScale", {0, 0, 828, 219}, {8, 14, 814, 0, 54, 54}},
    {"Height220", {0, 0, 828, 220}, {8, 14, 814, 1, 5, 105}},
    {"OffsetOrigin", {5, 7, 833, 628}, {8, 19, 819, 2, 60, 260}},
    // -20 + (100.5 + 20 - 100) / 2 = -9.75: the exact half of 201, truncated last.
    {"HalfOfAnOddBottomIsExact", {0, -20, 828, 201}, {8, 14, 814, 1, -9, 91}},
    // -13 + 12.5 = -0.5 truncates to 0, not to -13 + 12.
    {"LeftIsTruncatedWithTheHalf", {-13, 0, 112, 621}, {1, 0, 100, 3, 5, 305}},
};

INSTANTIATE_TEST_SUITE_P(Cases, GraphGeometryTest, ::testing::ValuesIn(kGeometries),
                         test_support::CaseName());

// --- Value to pixel -------------------------------------------------------

struct PlotYCase {
  const char* name;
  float value;
  std::optional<int> expected;
  friend void PrintTo(const PlotYCase& c, std::ostream* out) { *out << c.name; }
};

class PlotYTest : public ::testing::TestWithParam<PlotYCase> {};

TEST_P(PlotYTest, MapsAValueOntoTheWorkedPlot) {
  EXPECT_EQ(ui::PlotY(kWorkedGeometry, GetParam().value), GetParam().expected);
}

const PlotYCase kPlotYs[] = {
    {"Zero", 0.0f, 305},
    {"One", 1.0f, 5},
    {"Half", 0.5f, 155},
    {"SubtractsBeforeTruncating", 0.123f, 268},  // 305 - 36.9 = 268.1
    {"WidensTheFloat", 0.1f, 274},               // 0.1f is a hair above 0.1
    {"AboveTheFrame", 1.5f, -145},
    {"BelowTheFrame", -0.1f, 335},
    {"FarButInRange", 7.0e6f, -2099999695},
    {"BeyondInt", 7.2e6f, std::nullopt},
    {"FarBelowBeyondInt", -1.0e30f, std::nullopt},
    {"NaN", kNaN, std::nullopt},
    {"PlusInfinity", kInfinity, std::nullopt},
    {"MinusInfinity", -kInfinity, std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Values, PlotYTest, ::testing::ValuesIn(kPlotYs), test_support::CaseName());

TEST(PlotY, InfinityOnAFlatPlotIsStillSkipped) {
  const GraphGeometry flat{8, 14, 814, 0, 54, 54};
  EXPECT_EQ(ui::PlotY(flat, kInfinity), std::nullopt);
  EXPECT_EQ(ui::PlotY(flat, 123.0f), 54);
}

// --- Worked example -------------------------------------------------------

TEST_F(GraphPaint, LabelsSitAtTheirReferencePointsInTheLightArialFont) {
  Paint();
  const auto fonts = context_.OpsOf<CreateFontOp>();
  ASSERT_THAT(fonts, SizeIs(1));
  EXPECT_EQ(fonts[0].face, "Arial");
  EXPECT_EQ(fonts[0].cellHeight, 14);
  EXPECT_EQ(fonts[0].weight, 300);
  const platform::DrawingObject font = fonts[0].result;
  constexpr unsigned kCentreTop = 6;
  EXPECT_THAT(context_.OpsOf<TextOutOp>(),
              ElementsAre(TextOutOp{{12, 305}, "0", font, kCentreTop},
                          TextOutOp{{12, 0}, "1", font, kCentreTop},
                          TextOutOp{{10, 149}, ".5", font, kCentreTop},
                          TextOutOp{{814, 307}, "100", font, kCentreTop},
                          TextOutOp{{414, 307}, " ITERATIONS ", font, kCentreTop}));
}

TEST_F(GraphPaint, GridIsDottedEveryTenCells) {
  Paint();
  std::vector<LineToOp> expected;
  for (int x = 94; x <= 734; x += 80) expected.push_back({{x, 305}, {x, 5}, 0});
  for (int y = 5; y <= 275; y += 30) expected.push_back({{14, y}, {814, y}, 0});
  auto lines = LinesIn(context_, kGrid);
  ASSERT_THAT(lines, SizeIs(kGridLines));
  EXPECT_EQ(context_.PenOf(lines[0].pen)->style, PenStyle::kDot);
  for (LineToOp& line : lines) line.pen = 0;
  EXPECT_THAT(lines, ElementsAreArray(expected));
}

TEST_F(GraphPaint, FrameHasThreeSolidSidesAndNoTop) {
  Paint();
  const auto lines = LinesIn(context_, kFrame);
  ASSERT_THAT(lines, SizeIs(kFrameLines));
  const platform::DrawingObject pen = lines[0].pen;
  EXPECT_EQ(context_.PenOf(pen)->style, PenStyle::kSolid);
  EXPECT_THAT(lines,
              ElementsAre(LineToOp{{14, 5}, {14, 305}, pen}, LineToOp{{14, 305}, {814, 305}, pen},
                          LineToOp{{814, 305}, {814, 5}, pen}));
}

TEST_F(GraphPaint, TickedSeriesDrawsOneLinePerTimePointFromTheCorner) {
  ticked_ = {res::kIdCheckFirstOrderRate};
  Paint();
  const auto lines = LinesIn(context_, kBlack);
  ASSERT_THAT(lines, SizeIs(kPoints));
  EXPECT_EQ(lines[0].from, (platform::PaintPoint{14, 305}));
  for (int i = 0; i < kPoints; ++i) {
    EXPECT_EQ(lines[static_cast<std::size_t>(i)].to, (platform::PaintPoint{14 + 8 * i, 155}))
        << "point " << i;
  }
  EXPECT_EQ(CountLines(), kGridLines + kFrameLines + kPoints);
  EXPECT_THAT(context_.Problems(), IsEmpty());
}

// --- Series table ---------------------------------------------------------

struct SeriesCase {
  const char* name;
  int checkBox;
  std::size_t series;
  Rgb colour;
  friend void PrintTo(const SeriesCase& c, std::ostream* out) { *out << c.name; }
};

class GraphSeriesTest : public GraphPaint, public ::testing::WithParamInterface<SeriesCase> {};

// Only the box's own series lies at 0.25 (y 230); the others would be at 0.5.
TEST_P(GraphSeriesTest, BoxDrawsItsSeriesInItsColour) {
  values_[GetParam().series].fill(0.25f);
  ticked_ = {GetParam().checkBox};
  Paint();
  const auto lines = LinesIn(context_, GetParam().colour);
  ASSERT_THAT(lines, SizeIs(kPoints));
  for (const LineToOp& line : lines) EXPECT_EQ(line.to.y, 230);
  EXPECT_EQ(CountLines(), kGridLines + kFrameLines + kPoints);
}

const SeriesCase kSeriesCases[] = {
    {"FirstOrderRate", res::kIdCheckFirstOrderRate, model::kFirstOrderRate, {0, 0, 0}},
    {"SecondOrderRate", res::kIdCheckSecondOrderRate, model::kSecondOrderRate, {200, 100, 200}},
    {"MeanPropensityVolunteers",
     res::kIdCheckMeanPropensityVolunteers,
     model::kMeanPropensityVolunteers,
     {0, 200, 0}},
    {"MeanPropensityNonVolunteers",
     res::kIdCheckMeanPropensityNonVolunteers,
     model::kMeanPropensityNonVolunteers,
     {0, 0, 200}},
    {"MeanPropensity", res::kIdCheckMeanPropensity, model::kMeanPropensity, {222, 0, 0}},
};

INSTANTIATE_TEST_SUITE_P(Boxes, GraphSeriesTest, ::testing::ValuesIn(kSeriesCases),
                         test_support::CaseName());

// --- Order ----------------------------------------------------------------

TEST_F(GraphPaint, DrawsLabelsGridFrameThenSeriesRedUnderGreenAndBlue) {
  ticked_ = kAllBoxes;
  Paint();
  EXPECT_THAT(PenColours(context_),
              ElementsAre(kGrid, kFrame, kBlack, kMagenta, kRed, kGreen, kBlue));
  EXPECT_LT(ui_test::LastIndexOf<TextOutOp>(context_),
            ui_test::FirstIndexOf<CreatePenOp>(context_));
  std::vector<Colour> lineColours;
  for (const LineToOp& line : context_.OpsOf<LineToOp>()) {
    const Colour colour = context_.PenOf(line.pen)->colour;
    if (lineColours.empty() || lineColours.back() != colour) lineColours.push_back(colour);
  }
  EXPECT_THAT(lineColours, ElementsAre(kGrid, kFrame, kBlack, kMagenta, kRed, kGreen, kBlue));
  EXPECT_EQ(CountLines(), kGridLines + kFrameLines + 5 * kPoints);
  EXPECT_THAT(context_.Problems(), IsEmpty());
}

// --- Nothing to plot ------------------------------------------------------

TEST_F(GraphPaint, BeforeThePlotIsReadyOnlyLabelsGridAndFrameAreDrawn) {
  ticked_ = kAllBoxes;
  Paint(kWorkedClient, false);
  EXPECT_THAT(PenColours(context_), ElementsAre(kGrid, kFrame));
  EXPECT_EQ(CountLines(), kGridLines + kFrameLines);
  EXPECT_THAT(context_.OpsOf<TextOutOp>(), SizeIs(5));
  EXPECT_THAT(context_.Problems(), IsEmpty());
}

TEST_F(GraphPaint, WithNoBoxTickedOnlyLabelsGridAndFrameAreDrawn) {
  Paint();
  EXPECT_THAT(PenColours(context_), ElementsAre(kGrid, kFrame));
  EXPECT_EQ(CountLines(), kGridLines + kFrameLines);
  EXPECT_THAT(context_.Problems(), IsEmpty());
}

TEST_F(GraphPaint, WithoutSeriesStorageTickedBoxesMakePensAndMoveButDrawNothing) {
  data_.fill(nullptr);
  ticked_ = kAllBoxes;
  Paint();
  EXPECT_THAT(PenColours(context_), SizeIs(7));
  EXPECT_EQ(CountLines(), kGridLines + kFrameLines);
  const auto moves = context_.OpsOf<MoveToOp>();
  ASSERT_THAT(moves, SizeIs(kGridLines + 1 + 5));
  for (std::size_t i = moves.size() - 5; i < moves.size(); ++i) {
    EXPECT_EQ(moves[i].to, (platform::PaintPoint{14, 305}));
  }
  EXPECT_THAT(context_.Problems(), IsEmpty());
}

// --- Failures -------------------------------------------------------------

class GraphPenFailure : public GraphPaint, public ::testing::WithParamInterface<int> {};

// Pens are made in this order: grid, frame, then one per ticked series.
TEST_P(GraphPenFailure, EndsThePaintCleanlyWhereThePenWasNeeded) {
  ticked_ = kAllBoxes;
  Paint();
  const std::vector<PaintOp> complete = context_.Ops();

  RecordingPaintContext failing;
  failing.FailCreatePenAt(GetParam());
  ui::PaintGraph(failing, kWorkedClient, true, data_, Shown());

  EXPECT_THAT(failing.Problems(), IsEmpty());
  EXPECT_THAT(failing.OpsOf<CreatePenOp>(), SizeIs(GetParam()));
  const auto& ops = failing.Ops();
  const std::size_t failed = ui_test::LastIndexOf<CreatePenOp>(failing);
  ASSERT_LT(failed, ops.size());
  EXPECT_TRUE(std::equal(ops.begin(), ops.begin() + static_cast<long>(failed), complete.begin()))
      << "the paint differs from a complete one before the failure";
  for (std::size_t i = failed + 1; i < ops.size(); ++i) {
    const bool cleanUp = std::holds_alternative<platform::SelectObjectOp>(ops[i]) ||
                         std::holds_alternative<platform::DeleteObjectOp>(ops[i]);
    EXPECT_TRUE(cleanUp) << "drew after the failure: " << ops[i];
  }
}

INSTANTIATE_TEST_SUITE_P(EachPen, GraphPenFailure, ::testing::Range(1, 8));

TEST_F(GraphPaint, WithoutItsFontTheLabelsUseTheContextFont) {
  context_.FailCreateFontAt(1);
  ticked_ = {res::kIdCheckFirstOrderRate};
  Paint();
  const auto labels = context_.OpsOf<TextOutOp>();
  ASSERT_THAT(labels, SizeIs(5));
  for (const TextOutOp& label : labels) EXPECT_EQ(label.font, context_.OriginalFont());
  EXPECT_EQ(CountLines(), kGridLines + kFrameLines + kPoints);
  EXPECT_THAT(context_.Problems(), IsEmpty());
}

struct BadValueCase {
  const char* name;
  std::vector<int> badPoints;
  float value;
  std::size_t expectedLines;
  friend void PrintTo(const BadValueCase& c, std::ostream* out) { *out << c.name; }
};

class GraphBadValues : public GraphPaint, public ::testing::WithParamInterface<BadValueCase> {};

// A point without a y loses both its lines; the curve resumes at the next
// good point with a move.
TEST_P(GraphBadValues, PointIsLeftOutAndTheCurveResumesAfterIt) {
  std::set<int> badXs;
  for (const int i : GetParam().badPoints) {
    values_[model::kFirstOrderRate][static_cast<std::size_t>(i)] = GetParam().value;
    badXs.insert(14 + 8 * i);
  }
  ticked_ = {res::kIdCheckFirstOrderRate};
  Paint();
  const auto lines = LinesIn(context_, kBlack);
  EXPECT_THAT(lines, SizeIs(GetParam().expectedLines));
  for (const LineToOp& line : lines) {
    EXPECT_FALSE(badXs.contains(line.to.x)) << line;
    EXPECT_EQ(line.to.y, 155) << line;
  }
  const int resumeAt = GetParam().badPoints.back() + 1;
  const auto moves = context_.OpsOf<MoveToOp>();
  if (resumeAt < kPoints) {
    EXPECT_EQ(moves.back().to, (platform::PaintPoint{14 + 8 * resumeAt, 155}));
  } else {
    EXPECT_EQ(moves.back().to, (platform::PaintPoint{14, 305}));
  }
  EXPECT_THAT(context_.Problems(), IsEmpty());
}

const BadValueCase kBadValues[] = {
    {"NaNInTheMiddle", {50}, kNaN, kPoints - 2},
    {"InfinityAtTheStart", {0}, kInfinity, kPoints - 2},
    {"NaNAtTheEnd", {100}, kNaN, kPoints - 1},
    {"TwoInARow", {10, 11}, -kInfinity, kPoints - 3},
    {"BeyondInt", {30}, 1.0e30f, kPoints - 2},
};

INSTANTIATE_TEST_SUITE_P(Values, GraphBadValues, ::testing::ValuesIn(kBadValues),
                         test_support::CaseName());

// --- Small client areas ---------------------------------------------------

TEST_F(GraphPaint, NarrowAreaCollapsesTimeOntoTheLeftEdge) {
  ticked_ = {res::kIdCheckFirstOrderRate};
  Paint({0, 0, 100, 621});  // xScale 0, plotLeft 50
  const auto grid = LinesIn(context_, kGrid);
  ASSERT_THAT(grid, SizeIs(10));
  for (const LineToOp& line : grid) EXPECT_EQ(line.from.y, line.to.y) << "vertical: " << line;
  const auto labels = context_.OpsOf<TextOutOp>();
  ASSERT_THAT(labels, SizeIs(5));
  EXPECT_EQ(labels[3].at, (platform::PaintPoint{50, 307}));
  EXPECT_EQ(labels[4].at, (platform::PaintPoint{50, 307}));
  const auto series = LinesIn(context_, kBlack);
  ASSERT_THAT(series, SizeIs(kPoints));
  for (const LineToOp& line : series) EXPECT_EQ(line.to.x, 50);
}

TEST_F(GraphPaint, ShortAreaFlattensEveryValueOntoOneRow) {
  values_[model::kFirstOrderRate].fill(0.9f);
  ticked_ = {res::kIdCheckFirstOrderRate};
  Paint({0, 0, 828, 150});  // yScale 0, plotTop = plotBottom = 37
  const auto grid = LinesIn(context_, kGrid);
  ASSERT_THAT(grid, SizeIs(9));
  for (const LineToOp& line : grid) EXPECT_EQ(line.from.x, line.to.x) << "horizontal: " << line;
  const auto labels = context_.OpsOf<TextOutOp>();
  ASSERT_THAT(labels, SizeIs(5));
  EXPECT_EQ(labels[2].at, (platform::PaintPoint{10, 31}));
  const auto series = LinesIn(context_, kBlack);
  ASSERT_THAT(series, SizeIs(kPoints));
  for (const LineToOp& line : series) EXPECT_EQ(line.to.y, 37);
}

// --- Minimised ------------------------------------------------------------

struct IconicCase {
  const char* name;
  ClientRect client;
  platform::PaintPoint expected;
  friend void PrintTo(const IconicCase& c, std::ostream* out) { *out << c.name; }
};

class GraphIconic : public ::testing::TestWithParam<IconicCase> {};

TEST_P(GraphIconic, DrawsOnlyTheCentredIcon) {
  RecordingPaintContext context;
  ui::PaintGraphIconic(context, GetParam().client);
  EXPECT_THAT(context.Ops(), ElementsAre(PaintOp(DrawIconOp{GetParam().expected, 128})));
}

const IconicCase kIconics[] = {
    {"WorkedClient", kWorkedClient, {398, 295}},
    {"IconSized", {0, 0, 32, 32}, {0, 0}},
    {"OddRemainderGoesFirst", {0, 0, 33, 35}, {1, 2}},
    {"OneNarrower", {0, 0, 31, 40}, {0, 4}},
    {"EmptyTruncatesTowardZero", {0, 0, 0, 0}, {-15, -15}},
};

INSTANTIATE_TEST_SUITE_P(Sizes, GraphIconic, ::testing::ValuesIn(kIconics),
                         test_support::CaseName());

// --- Pins -----------------------------------------------------------------

// Six pins ending at close and at equal values: a pattern of its own for each
// pin, labels in the series' colour, apart, inside the picture and above the
// "100" label.
class GraphPins : public GraphPaint {
 protected:
  void PaintPins(const std::vector<float>& ends) {
    pinValues_.assign(ends.size(), {});
    std::vector<ui::PinnedCurves> pins;
    for (std::size_t p = 0; p < ends.size(); ++p) {
      pinValues_[p].fill(ends[p]);
      ui::PinnedCurves curves{static_cast<int>(p) + 1, {}};
      for (int s = 0; s < model::kSeriesCount; ++s) curves.series[s] = pinValues_[p].data();
      pins.push_back(curves);
    }
    ui::PaintGraph(context_, kWorkedClient, true, data_, Shown(), {{}, pins});
  }

  std::vector<TextOutOp> PinLabels() const {
    std::vector<TextOutOp> labels;
    for (const TextOutOp& text : context_.OpsOf<TextOutOp>()) {
      // The axis labels are centred on their points, the pin labels flush left.
      if (text.align == platform::kTextAlignLeft) labels.push_back(text);
    }
    return labels;
  }

  std::vector<std::array<float, kPoints>> pinValues_;
};

TEST_F(GraphPins, EachPinOfASeriesHasADashPatternOfItsOwn) {
  ticked_ = {res::kIdCheckSecondOrderRate};
  PaintPins({0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f});
  std::vector<platform::DashPattern> patterns;
  for (const CreatePenOp& pen : context_.OpsOf<CreatePenOp>()) {
    if (!pen.dashes) continue;
    EXPECT_EQ(pen.colour, kMagenta);
    patterns.push_back(*pen.dashes);
  }
  ASSERT_THAT(patterns, SizeIs(6));
  for (std::size_t i = 0; i < patterns.size(); ++i) {
    for (std::size_t j = i + 1; j < patterns.size(); ++j) EXPECT_NE(patterns[i], patterns[j]);
  }
}

// The second-order rate with sanctions off is 0 everywhere: five pins, one label.
TEST_F(GraphPins, AFlatSeriesGetsOneLabelInItsColourAboveTheTimeLabel) {
  ticked_ = {res::kIdCheckSecondOrderRate};
  PaintPins({0.0f, 0.0f, 0.0f, 0.0f, 0.0f});
  const std::vector<TextOutOp> labels = PinLabels();
  ASSERT_THAT(labels, SizeIs(1));
  EXPECT_EQ(labels[0].text, "1, 2, 3, 4, 5");
  EXPECT_EQ(Colour(labels[0].colour), kMagenta);
  constexpr int kTimeLabelTop = 305 + 2;
  EXPECT_LE(labels[0].at.y + RecordingPaintContext::kMeasuredHeight, kTimeLabelTop);
  EXPECT_LE(labels[0].at.x +
                RecordingPaintContext::kMeasuredCharWidth * static_cast<int>(labels[0].text.size()),
            kWorkedClient.right);
}

TEST_F(GraphPins, LabelsOfCloseEndsStandApartAndInsideThePicture) {
  ticked_ = {res::kIdCheckFirstOrderRate};
  PaintPins({1.0f, 0.99f, 0.5f, 0.51f, 0.52f});
  const std::vector<TextOutOp> labels = PinLabels();
  ASSERT_THAT(labels, SizeIs(5));
  for (std::size_t i = 0; i < labels.size(); ++i) {
    EXPECT_GE(labels[i].at.y, kWorkedClient.top) << labels[i].text;
    EXPECT_EQ(Colour(labels[i].colour), kBlack);
    for (std::size_t j = i + 1; j < labels.size(); ++j) {
      EXPECT_GE(std::abs(labels[i].at.y - labels[j].at.y), RecordingPaintContext::kMeasuredHeight)
          << labels[i].text << " and " << labels[j].text;
    }
  }
}

TEST_F(GraphPins, TextIsBlackAgainAfterTheLabels) {
  ticked_ = {res::kIdCheckMeanPropensity};
  PaintPins({0.3f});
  ASSERT_THAT(PinLabels(), SizeIs(1));
  EXPECT_EQ(Colour(PinLabels()[0].colour), kRed);
  context_.TextOut(0, 0, "after");
  EXPECT_EQ(Colour(context_.OpsOf<TextOutOp>().back().colour), kBlack);
  EXPECT_THAT(context_.Problems(), IsEmpty());
}

}  // namespace
