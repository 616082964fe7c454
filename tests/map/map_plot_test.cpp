#include "map/map_plot.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "batch/map_refinement.h"
#include "tests/support/case_name.h"

namespace map {
namespace {

std::vector<double> Steps(int count, double first, double step) {
  std::vector<double> values;
  for (int p = 0; p < count; ++p) values.push_back(first + p * step);
  return values;
}

// A level of the given positions whose cells rise along x and y.
MapPlotData Plot(std::size_t xCount, std::size_t yCount, std::size_t stride) {
  MapPlotData data;
  data.xValues = Steps(static_cast<int>(xCount), -1.0, 0.02);
  data.yValues = Steps(static_cast<int>(yCount), 0.0, 1.0);
  data.level.xPositions = batch::PositionsAtStride(xCount, stride);
  data.level.yPositions = batch::PositionsAtStride(yCount, stride);
  for (const std::size_t x : data.level.xPositions) {
    for (const std::size_t y : data.level.yPositions) {
      const double v = static_cast<double>(x + y) / static_cast<double>(xCount + yCount);
      data.level.cells.push_back({v, v - 0.1, v + 0.25, v});
    }
  }
  data.xTitle = QStringLiteral("X");
  data.yTitle = QStringLiteral("N, the number of agents");
  data.valueTitle =
      QStringLiteral("median of meanPropensityNonVolunteers, mean over steps 81\u2013100");
  data.replicates = 8;
  data.xCurrent = xCount / 3;
  data.yCurrent = yCount / 2;
  data.contour = 0.4;
  return data;
}

struct PlotCase {
  const char* name;
  std::size_t xCount;
  std::size_t yCount;
  std::size_t stride;
};

const PlotCase kPlots[] = {
    {"Coarse", 101, 101, 10},
    {"Whole", 51, 51, 1},
    {"Uneven", 100, 7, 9},
    {"Counts", 201, 101, 5},
};

class MapPlotCells : public testing::TestWithParam<PlotCase> {};

TEST_P(MapPlotCells, EachCellIsFoundAtItsOwnCentre) {
  const MapPlotData data = Plot(GetParam().xCount, GetParam().yCount, GetParam().stride);
  const QSize size(760, 560);
  const QFont font = QApplication::font();
  for (std::size_t i = 0; i < data.level.xPositions.size(); ++i) {
    for (std::size_t j = 0; j < data.level.yPositions.size(); ++j) {
      const std::optional<CellIndex> found =
          CellAt(data, size, font, CentreOf(data, size, font, {i, j}));
      ASSERT_TRUE(found.has_value());
      EXPECT_EQ(*found, (CellIndex{i, j}));
    }
  }
  EXPECT_FALSE(CellAt(data, size, font, QPointF(1, 1)).has_value());
}

// No ink on the picture's outermost pixels: nothing runs off its edge.
bool EdgesAreWhite(const QImage& image) {
  const QRgb white = qRgb(255, 255, 255);
  for (int x = 0; x < image.width(); ++x) {
    if (image.pixel(x, 0) != white || image.pixel(x, image.height() - 1) != white) return false;
  }
  for (int y = 0; y < image.height(); ++y) {
    if (image.pixel(0, y) != white || image.pixel(image.width() - 1, y) != white) return false;
  }
  return true;
}

struct ScaleCase {
  const char* name;
  double ratio;
  int pointSize;
};

const ScaleCase kScales[] = {
    {"Scale1", 1.0, 0},
    {"Scale2", 2.0, 0},
    {"LargeFont", 1.0, 16},
    {"LargeFontScale2", 2.0, 16},
};

class MapPlotText : public testing::TestWithParam<ScaleCase> {};

TEST_P(MapPlotText, StaysInsideThePicture) {
  const QSize size(760, 560);
  QFont font = QApplication::font();
  if (GetParam().pointSize > 0) font.setPointSize(GetParam().pointSize);
  for (const PlotCase& plot : kPlots) {
    QImage image(size * GetParam().ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(GetParam().ratio);
    {
      QPainter painter(&image);
      painter.setFont(font);
      PaintMap(painter, size, Plot(plot.xCount, plot.yCount, plot.stride));
    }
    EXPECT_TRUE(EdgesAreWhite(image)) << plot.name;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, MapPlotCells, testing::ValuesIn(kPlots), test_support::CaseName());
INSTANTIATE_TEST_SUITE_P(Cases, MapPlotText, testing::ValuesIn(kScales), test_support::CaseName());

struct RangeCase {
  const char* name;
  batch::MapStatistic statistic;
  std::vector<double> medians;
  double low;
  double high;
};

const RangeCase kRanges[] = {
    {"MedianSpansItsCells", batch::MapStatistic::kMedian, {0.2, 0.7, 0.4}, 0.2, 0.7},
    {"OneValueWidened", batch::MapStatistic::kMedian, {0.3, 0.3, 0.3}, -0.2, 0.8},
    {"ShareIsZeroToOne", batch::MapStatistic::kShareAbove, {0.2, 0.7, 0.4}, 0.0, 1.0},
};

class MapPlotRange : public testing::TestWithParam<RangeCase> {};

TEST_P(MapPlotRange, CoversTheCellsStatistic) {
  MapPlotData data;
  data.statistic = GetParam().statistic;
  for (const double m : GetParam().medians) data.level.cells.push_back({m, m, m, m / 2});
  const ValueRange range = RangeOf(data);
  EXPECT_DOUBLE_EQ(range.low, GetParam().low);
  EXPECT_DOUBLE_EQ(range.high, GetParam().high);
}

INSTANTIATE_TEST_SUITE_P(Cases, MapPlotRange, testing::ValuesIn(kRanges), test_support::CaseName());

TEST(MapPlotText, CellTextGivesTheCellsNumbers) {
  const MapPlotData data = Plot(101, 101, 10);
  const QString text = CellText(data, {2, 3});
  const batch::MapCell& cell = data.level.At(2, 3);
  for (const double v : {cell.median, cell.q05, cell.q95, cell.shareAbove}) {
    EXPECT_TRUE(text.contains(QString::number(v, 'g', 9))) << text.toStdString();
  }
  EXPECT_TRUE(text.contains(QStringLiteral("X = ") + QString::number(data.xValues[20], 'g', 9)));
  EXPECT_TRUE(text.contains(QStringLiteral("8 populations")));
}

}  // namespace
}  // namespace map
