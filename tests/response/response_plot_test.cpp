#include "response/response_plot.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "tests/support/case_name.h"

namespace response {
namespace {

constexpr QSize kSize(720, 440);

PlotData Kinds() {
  PlotData data;
  for (int kind = 0; kind < 3; ++kind) {
    data.points.push_back({static_cast<double>(kind), 0.5, 0.2, 0.8, 0.5, 0.1, 16});
  }
  data.xNames = {QStringLiteral("Constant"), QStringLiteral("Normal"),
                 QStringLiteral("Log-Normal")};
  data.xTitle = QStringLiteral("R distribution");
  data.yTitle = QStringLiteral("firstOrderRate, value at step 100");
  data.colour = Qt::red;
  data.current = 0;
  return data;
}

// Wide tick labels and a long title: what used to run off the left edge.
PlotData WideNumbers() {
  PlotData data;
  for (int p = 0; p <= 100; ++p) {
    const double v = -12345.678 + p * 0.001;
    data.points.push_back({p * 0.01, v, v - 0.0123, v + 0.0456, v, 0.01, 16});
  }
  data.xTitle = QStringLiteral("J");
  data.yTitle = QStringLiteral("meanPropensityNonVolunteers, mean over steps 81\u2013100");
  data.colour = Qt::blue;
  data.current = 50;
  return data;
}

QImage Paint(const PlotData& data, double ratio, int pointSize) {
  QImage image(kSize * ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  QPainter painter(&image);
  QFont font = QApplication::font();
  if (pointSize > 0) font.setPointSize(pointSize);
  painter.setFont(font);
  PaintResponse(painter, kSize, data);
  return image;
}

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

class ResponsePlotText : public testing::TestWithParam<ScaleCase> {};

TEST_P(ResponsePlotText, StaysInsideThePicture) {
  for (const PlotData& data : {Kinds(), WideNumbers()}) {
    EXPECT_TRUE(EdgesAreWhite(Paint(data, GetParam().ratio, GetParam().pointSize)))
        << data.xTitle.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ResponsePlotText, testing::ValuesIn(kScales),
                         test_support::CaseName());

// Halfway between two kinds at their common median, a joining line would
// show; whiskers and dots leave the picture white there.
TEST(ResponsePlotKinds, AreNotJoinedByLines) {
  const PlotData data = Kinds();
  const QImage image = Paint(data, 1.0, 0);
  const QFont font = QApplication::font();
  int left = 0;
  int right = kSize.width();
  for (int x = 0; x < kSize.width(); ++x) {
    const auto at = PointAt(data, kSize, font, x);
    if (at == 0u) left = x;
    if (at == 1u && right == kSize.width()) right = x;
  }
  // The middle of the two kinds' columns, on the row where the medians sit.
  const int middle = (left + right) / 2;
  int coloured = 0;
  for (int y = 0; y < kSize.height(); ++y) {
    const QColor pixel = image.pixelColor(middle, y);
    if (pixel.red() > 200 && pixel.green() < 80 && pixel.blue() < 80) ++coloured;
  }
  EXPECT_EQ(coloured, 0);
}

TEST(ResponsePlotFaded, ShowsItsNoteOverAPaleCurve) {
  PlotData data = WideNumbers();
  const QImage sharp = Paint(data, 1.0, 0);
  data.faded = true;
  data.note = QStringLiteral("Computing 10 of 100 runs\u2026");
  const QImage faded = Paint(data, 1.0, 0);
  // The darkest pixel of the faded picture is lighter than the sharp one's,
  // but for the note.
  const auto darkest = [](const QImage& image, int top, int bottom) {
    int least = 255;
    for (int y = top; y < bottom; ++y) {
      for (int x = 0; x < image.width(); ++x) least = std::min(least, qGray(image.pixel(x, y)));
    }
    return least;
  };
  EXPECT_LT(darkest(sharp, 0, kSize.height() / 3), darkest(faded, 0, kSize.height() / 3));
}

}  // namespace
}  // namespace response
