// The window's own paint: the graph of the ticked series over the plot band.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "platform/dialog_window.h"
#include "res/control_ids.h"
#include "tests/support/case_name.h"
#include "tests/support/recording_paint_context.h"
#include "tests/ui/main_dialog_harness.h"
#include "tests/ui/paint_test_helpers.h"
#include "ui/graph_view.h"

namespace ui_test {
namespace {

struct SeriesColour {
  const char* name;
  int checkBoxId;
  QColor colour;
};

std::ostream& operator<<(std::ostream& out, const SeriesColour& s) {
  return out << s.name;
}

const std::vector<SeriesColour> kSeriesColours = {
    {"FirstOrderRate", res::kIdCheckFirstOrderRate, QColor(0, 0, 0)},
    {"SecondOrderRate", res::kIdCheckSecondOrderRate, QColor(200, 100, 200)},
    {"MeanPropensityVolunteers", res::kIdCheckMeanPropensityVolunteers, QColor(0, 200, 0)},
    {"MeanPropensityNonVolunteers", res::kIdCheckMeanPropensityNonVolunteers, QColor(0, 0, 200)},
    {"MeanPropensity", res::kIdCheckMeanPropensity, QColor(222, 0, 0)},
};

// The ".5" label's cell reaches a few pixels into the plot.
constexpr int kLabelClearance = 4;

// Pixels of one colour inside the plot, clear of the frame and the labels.
int PixelsInPlot(const QImage& image, const ui::GraphGeometry& g, const QColor& colour) {
  int found = 0;
  for (int y = g.plotTop; y <= g.plotBottom; ++y) {
    for (int x = g.plotLeft + kLabelClearance; x < g.plotRight; ++x) {
      if (image.pixelColor(x, y) == colour) {
        ++found;
      }
    }
  }
  return found;
}

// Sanctions on so that the second-order series is more than its base line.
class GraphPaint : public testing::Test {
 protected:
  void SetUp() override { harness_.Click(res::kIdCheckSanctions); }

  void Tick(const std::vector<int>& boxes) {
    for (const SeriesColour& series : kSeriesColours) {
      if (harness_.Checked(series.checkBoxId) != Contains(boxes, series.checkBoxId)) {
        harness_.Click(series.checkBoxId);
      }
    }
  }

  static bool Contains(const std::vector<int>& boxes, int id) {
    return std::find(boxes.begin(), boxes.end(), id) != boxes.end();
  }

  QImage Grab() const {
    return harness_.Dialog().Window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }

  ui::GraphGeometry Geometry() const { return ui::ComputeGraphGeometry({0, 0, 828, 621}); }

  MainDialogHarness harness_;
};

TEST_F(GraphPaint, AllFiveTickedDrawsAllFiveSeries) {
  Tick({res::kIdCheckFirstOrderRate, res::kIdCheckSecondOrderRate,
        res::kIdCheckMeanPropensityVolunteers, res::kIdCheckMeanPropensityNonVolunteers,
        res::kIdCheckMeanPropensity});
  const QImage image = Grab();
  ASSERT_EQ(image.size(), QSize(828, 621));
  for (const SeriesColour& series : kSeriesColours) {
    EXPECT_GT(PixelsInPlot(image, Geometry(), series.colour), 0) << series.name;
  }
}

class OneSeries : public GraphPaint, public testing::WithParamInterface<SeriesColour> {};

TEST_P(OneSeries, OnlyTheTickedSeriesIsDrawn) {
  Tick({GetParam().checkBoxId});
  const QImage image = Grab();
  for (const SeriesColour& series : kSeriesColours) {
    const int pixels = PixelsInPlot(image, Geometry(), series.colour);
    if (series.checkBoxId == GetParam().checkBoxId) {
      EXPECT_GT(pixels, 0) << series.name;
    } else {
      EXPECT_EQ(pixels, 0) << series.name;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EachBox, OneSeries, testing::ValuesIn(kSeriesColours),
                         test_support::CaseName());

TEST_F(GraphPaint, NoTickedBoxLeavesOnlyGridFrameAndLabels) {
  Tick({});
  const QImage image = Grab();
  for (const SeriesColour& series : kSeriesColours) {
    EXPECT_EQ(PixelsInPlot(image, Geometry(), series.colour), 0) << series.name;
  }
}

// The paint reads the boxes when it paints: ticking from code shows at the next paint.
TEST_F(GraphPaint, TheBoxesAreReadAtPaintTime) {
  Tick({});
  harness_.Dialog().SetCheck(res::kIdCheckMeanPropensityNonVolunteers, platform::kChecked);
  EXPECT_GT(PixelsInPlot(Grab(), Geometry(), QColor(0, 0, 200)), 0);
}

}  // namespace
}  // namespace ui_test

namespace ui_test {
namespace {

// The dialog with its paint handler callable on a recording context.
class PaintableMainDlg : public ui::CMainDlg {
 public:
  using CMainDlg::OnPaint;
};

TEST(MainDialogPaint, HandsTheGraphTheClientRectAndTheTickedSeries) {
  const MessageRecorder messages;
  PaintableMainDlg dialog;
  dialog.Create();
  dialog.SetCheck(res::kIdCheckMeanPropensity, platform::kChecked);
  platform::RecordingPaintContext context;
  dialog.OnPaint(context);
  EXPECT_TRUE(context.Problems().empty());
  // Black (1100, ticked at start-up) and red (1104): 101 lines each.
  const platform::Colour black = platform::Rgb{0, 0, 0};
  const platform::Colour red = platform::Rgb{222, 0, 0};
  const platform::Colour blue = platform::Rgb{0, 0, 200};
  EXPECT_EQ(LinesIn(context, black).size(), 101U);
  EXPECT_EQ(LinesIn(context, red).size(), 101U);
  EXPECT_TRUE(LinesIn(context, blue).empty());
  // The last point of the first series, where the window's geometry puts it.
  const ui::GraphGeometry g = ui::ComputeGraphGeometry({0, 0, 828, 621});
  const float last = dialog.model.firstOrderRate[100];
  EXPECT_EQ(LinesIn(context, black).back().to,
            (platform::PaintPoint{g.plotRight, *ui::PlotY(g, last)}));
}

TEST(MainDialogPaint, AMinimisedWindowShowsOnlyItsIcon) {
  const MessageRecorder messages;
  PaintableMainDlg dialog;
  dialog.Create();
  dialog.Window()->showMinimized();
  if (!dialog.IsIconic()) {
    GTEST_SKIP() << "this platform plugin does not minimise windows";
  }
  platform::RecordingPaintContext context;
  dialog.OnPaint(context);
  const auto icons = context.OpsOf<platform::DrawIconOp>();
  ASSERT_EQ(icons.size(), 1U);
  EXPECT_EQ(icons.front().iconId, dialog.appIcon);
  EXPECT_TRUE(context.OpsOf<platform::LineToOp>().empty());
}

}  // namespace
}  // namespace ui_test
