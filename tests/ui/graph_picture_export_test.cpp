// "Save Graph as PNG / SVG" and "Copy Graph": the band above the controls as
// the window draws it, with the ticked series in their colours.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QColor>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <algorithm>
#include <filesystem>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "res/control_ids.h"
#include "tests/support/case_name.h"
#include "tests/ui/graph_menu_driver.h"
#include "tests/ui/main_dialog_harness.h"
#include "tests/ui/temporary_current_directory.h"
#include "ui/graph_view.h"

namespace ui_test {
namespace {

constexpr QSize kBandSize(828, 328);
constexpr int kDoubleScale = 2;

struct SeriesColour {
  int checkBoxId;
  QColor colour;
};

const std::vector<SeriesColour> kSeriesColours = {
    {res::kIdCheckFirstOrderRate, QColor(0, 0, 0)},
    {res::kIdCheckSecondOrderRate, QColor(200, 100, 200)},
    {res::kIdCheckMeanPropensityVolunteers, QColor(0, 200, 0)},
    {res::kIdCheckMeanPropensityNonVolunteers, QColor(0, 0, 200)},
    {res::kIdCheckMeanPropensity, QColor(222, 0, 0)},
};

// The ".5" label's cell reaches a few pixels into the plot.
constexpr int kLabelClearance = 6;

// Black is also the text's colour: it counts only inside the plot, clear of
// the frame and the labels.
QRect PlotInterior() {
  const ui::GraphGeometry g = ui::ComputeGraphGeometry({0, 0, 828, 621});
  return QRect(QPoint(g.plotLeft + kLabelClearance, g.plotTop + 1),
               QPoint(g.plotRight - 1, g.plotBottom - 1));
}

bool IsSeriesColour(const SeriesColour& series, const QImage& image, int x, int y) {
  static const QRect interior = PlotInterior();
  if (series.colour == QColor(Qt::black) && !interior.contains(x, y)) {
    return false;
  }
  return image.pixelColor(x, y) == series.colour;
}

// Where each series' colour shows, at scale 1.
std::set<std::pair<int, int>> SeriesPixels(const QImage& image, const SeriesColour& series) {
  std::set<std::pair<int, int>> pixels;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (IsSeriesColour(series, image, x, y)) {
        pixels.insert({x, y});
      }
    }
  }
  return pixels;
}

QImage LoadImage(const std::filesystem::path& path) {
  QImage image(QString::fromStdString(path.string()));
  return image.convertToFormat(QImage::Format_RGB32);
}

struct TickCase {
  const char* name;
  std::vector<int> ticked;
};

std::ostream& operator<<(std::ostream& out, const TickCase& c) {
  return out << c.name;
}

class GraphPicture : public testing::TestWithParam<TickCase> {
 protected:
  void SetUp() override {
    ShowAllSeries(harness_);
    for (const SeriesColour& series : kSeriesColours) {
      if (!Ticked(series.checkBoxId)) {
        harness_.Click(series.checkBoxId);
      }
    }
  }

  bool Ticked(int checkBoxId) const {
    const std::vector<int>& ticked = GetParam().ticked;
    return std::find(ticked.begin(), ticked.end(), checkBoxId) != ticked.end();
  }

  std::filesystem::path Save(std::string_view item, const char* name) {
    const std::filesystem::path path = directory_.Path() / name;
    const SaveFileAnswer answer(path.string());
    ChooseFromGraphMenu(harness_, chooser_, item);
    return path;
  }

  // Every ticked series shows exactly where the window shows it; no other does.
  void ExpectSeriesAsOnScreen(const QImage& picture) {
    const QImage window = GrabGraphBand(harness_);
    for (const SeriesColour& series : kSeriesColours) {
      const auto onScreen = SeriesPixels(window, series);
      EXPECT_EQ(SeriesPixels(picture, series), onScreen) << series.checkBoxId;
      EXPECT_EQ(onScreen.empty(), !Ticked(series.checkBoxId)) << series.checkBoxId;
    }
  }

  // Vector lines are antialiased: their colour shows pure only where they
  // cover a whole pixel, and every such pixel is on or next to the window's line.
  void ExpectSeriesNextToOnScreen(const QImage& picture) {
    const QImage window = GrabGraphBand(harness_);
    for (const SeriesColour& series : kSeriesColours) {
      const auto onScreen = SeriesPixels(window, series);
      const auto shown = SeriesPixels(picture, series);
      EXPECT_EQ(shown.empty(), onScreen.empty()) << series.checkBoxId;
      for (const auto& [x, y] : shown) {
        EXPECT_TRUE(NextTo(onScreen, x, y)) << series.checkBoxId << ": " << x << ", " << y;
      }
    }
  }

  static bool NextTo(const std::set<std::pair<int, int>>& pixels, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        if (pixels.contains({x + dx, y + dy})) return true;
      }
    }
    return false;
  }

  TemporaryCurrentDirectory directory_;
  MainDialogHarness harness_;
  MenuChooser chooser_;
};

TEST_P(GraphPicture, PngShowsTheBandAsTheWindowDrawsIt) {
  const QImage png = LoadImage(Save(kSavePngItem, "graph.png"));
  ASSERT_EQ(png.size(), kBandSize);
  ExpectSeriesAsOnScreen(png);
  EXPECT_TRUE(harness_.Messages().empty());
}

// Each pixel of the window becomes a 2 x 2 block.
TEST_P(GraphPicture, PngAtTwiceTheSizeDoublesEveryPixelOfTheSeries) {
  const QImage png = LoadImage(Save(kSavePng2xItem, "graph@2x.png"));
  ASSERT_EQ(png.size(), kBandSize * kDoubleScale);
  const QImage window = GrabGraphBand(harness_);
  for (const SeriesColour& series : kSeriesColours) {
    for (const auto& [x, y] : SeriesPixels(window, series)) {
      for (const QPoint offset : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)}) {
        const QPoint at = QPoint(x, y) * kDoubleScale + offset;
        ASSERT_EQ(png.pixelColor(at), series.colour) << at.x() << ", " << at.y();
      }
    }
  }
}

TEST_P(GraphPicture, SvgIsWellFormedAndRendersTheSeries) {
  const std::filesystem::path path = Save(kSaveSvgItem, "graph.svg");
  QFile file(QString::fromStdString(path.string()));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&file);
  ASSERT_TRUE(xml.readNextStartElement());
  EXPECT_EQ(xml.name().toString(), "svg");
  EXPECT_EQ(xml.attributes().value("viewBox").toString(), "0 0 828 328");
  QString title;
  while (!xml.atEnd()) {
    if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QStringLiteral("title")) {
      title = xml.readElementText();
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(title.toStdString(),
            "Corvellan graph, seed " + std::to_string(harness_.Dialog().model.runSeed));

  QSvgRenderer renderer(QString::fromStdString(path.string()));
  ASSERT_TRUE(renderer.isValid());
  EXPECT_EQ(renderer.viewBox(), QRect(QPoint(0, 0), kBandSize));
  QImage rendered(kBandSize, QImage::Format_RGB32);
  rendered.fill(Qt::white);
  {
    QPainter painter(&rendered);
    renderer.render(&painter);
  }
  ExpectSeriesNextToOnScreen(rendered);
}

TEST_P(GraphPicture, CopyGraphPutsThePngsImageOnTheClipboard) {
  QGuiApplication::clipboard()->clear();
  const QImage png = LoadImage(Save(kSavePngItem, "graph.png"));
  ChooseFromGraphMenu(harness_, chooser_, kCopyItem);
  const QImage copied = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(copied.size(), kBandSize);
  EXPECT_EQ(copied, png);
  ExpectSeriesAsOnScreen(copied);
}

INSTANTIATE_TEST_SUITE_P(Ticks, GraphPicture,
                         testing::Values(TickCase{"AllFive",
                                                  {res::kIdCheckFirstOrderRate,
                                                   res::kIdCheckSecondOrderRate,
                                                   res::kIdCheckMeanPropensityVolunteers,
                                                   res::kIdCheckMeanPropensityNonVolunteers,
                                                   res::kIdCheckMeanPropensity}},
                                         TickCase{"FirstOrderOnly", {res::kIdCheckFirstOrderRate}},
                                         TickCase{"TwoMeans",
                                                  {res::kIdCheckMeanPropensityVolunteers,
                                                   res::kIdCheckMeanPropensityNonVolunteers}},
                                         TickCase{"None", {}}),
                         test_support::CaseName());

// The picture's own background, not the window's, around the plot.
TEST(GraphPictureBackground, IsWhite) {
  TemporaryCurrentDirectory directory;
  MainDialogHarness harness;
  MenuChooser chooser;
  const std::filesystem::path path = directory.Path() / "graph.png";
  const SaveFileAnswer answer(path.string());
  ChooseFromGraphMenu(harness, chooser, kSavePngItem);
  const QImage png = LoadImage(path);
  ASSERT_FALSE(png.isNull());
  EXPECT_EQ(png.pixelColor(0, 0), QColor(Qt::white));
  EXPECT_EQ(png.pixelColor(png.width() - 1, png.height() - 1), QColor(Qt::white));
}

}  // namespace
}  // namespace ui_test
