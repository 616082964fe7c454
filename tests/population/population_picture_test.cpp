#include "population/population_picture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>

#include "batch/population_record.h"
#include "population/population_window.h"
#include "tests/support/case_name.h"
#include "tests/support/sample_arguments.h"

namespace population {
namespace {

PopulationPicture PictureOf(const model::RunArguments& arguments, int step) {
  batch::PopulationRecorder recorder;
  const batch::PopulationRecord& record = recorder.Record(arguments, 99);
  PopulationPicture picture;
  picture.agentCount = record.agentCount;
  for (int a = 0; a < batch::kAttributeCount; ++a) {
    picture.attributes.push_back(
        batch::SummariseAttribute(record, static_cast<batch::PopulationAttribute>(a)));
  }
  picture.propensity = batch::PropensityStrip(record);
  picture.sanction = batch::SanctionStrip(record);
  picture.step = step;
  picture.split = batch::SplitStep(record, step);
  return picture;
}

PopulationPicture SanctionsOn() {
  return PictureOf(test_support::AllNormalArguments(), 50);
}

PopulationPicture SanctionsOff() {
  return PictureOf(run::DefaultRunArguments(), 100);
}

// Propensities to sanction outside [0, 1] add three rows to their strip.
PopulationPicture SanctionsOutside() {
  PopulationPicture picture = PictureOf(test_support::AllNormalArguments(), 0);
  picture.sanction.below[10] = 3;
  picture.sanction.above[20] = 2;
  picture.sanction.notANumber[30] = 1;
  return picture;
}

// Nobody carries R: its panel says so.
PopulationPicture NoCarriers() {
  model::RunArguments arguments = run::DefaultRunArguments();
  arguments.requestedCountR = 0;
  return PictureOf(arguments, 7);
}

struct PictureCase {
  const char* name;
  PopulationPicture (*picture)();
};

const PictureCase kPictureCases[] = {
    {"SanctionsOn", SanctionsOn},
    {"SanctionsOff", SanctionsOff},
    {"SanctionsOutside", SanctionsOutside},
    {"NoCarriers", NoCarriers},
};

void ExpectEveryTextInsideAndApart(const std::vector<QRectF>& boxes, QSize size) {
  ASSERT_FALSE(boxes.empty());
  const QRectF whole(QPointF(0, 0), QSizeF(size));
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    EXPECT_TRUE(whole.contains(boxes[i])) << "text " << i << " leaves the picture";
    for (std::size_t j = i + 1; j < boxes.size(); ++j) {
      EXPECT_FALSE(boxes[i].intersects(boxes[j])) << "texts " << i << " and " << j << " overlap";
    }
  }
}

class PictureTexts : public testing::TestWithParam<PictureCase> {
 protected:
  std::vector<QRectF> Paint(QSize size, QImage& image) const {
    image = QImage(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setFont(QApplication::font());
    return PaintPopulation(painter, size, GetParam().picture());
  }
};

TEST_P(PictureTexts, FitApartAtTheSmallestSize) {
  const PopulationPicture picture = GetParam().picture();
  const QSize size = SmallestPictureSize(QApplication::font(), picture.sanction.steps > 0);
  QImage image;
  ExpectEveryTextInsideAndApart(Paint(size, image), size);
}

TEST_P(PictureTexts, FitApartAtTheSizeOfTheSavedPicture) {
  const QSize size(1000, 720);
  QImage image;
  ExpectEveryTextInsideAndApart(Paint(size, image), size);
}

TEST_P(PictureTexts, FitApartInABiggerFont) {
  QFont font = QApplication::font();
  font.setPointSizeF(font.pointSizeF() * 1.5);
  const PopulationPicture picture = GetParam().picture();
  const QSize size = SmallestPictureSize(font, picture.sanction.steps > 0);
  QImage image(size, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setFont(font);
  ExpectEveryTextInsideAndApart(PaintPopulation(painter, size, picture), size);
}

INSTANTIATE_TEST_SUITE_P(Cases, PictureTexts, testing::ValuesIn(kPictureCases),
                         test_support::CaseName());

// The window at the screen's scale (the tests run at scale 1 and at 2), at
// its smallest size: the view's texts fit.
TEST(PopulationViewTexts, FitInTheSmallestWindow) {
  for (model::RunArguments arguments :
       {run::DefaultRunArguments(), test_support::AllNormalArguments()}) {
    PopulationWindow window;
    batch::ResponseContext context;
    context.arguments = arguments;
    context.seed = 5;
    window.ShowFor(context);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.resize(window.minimumSizeHint());
    QApplication::processEvents();
    window.repaint();
    const QSize viewSize = window.View().size();
    EXPECT_GE(viewSize.width(), window.View().minimumSizeHint().width());
    EXPECT_GE(viewSize.height(), window.View().minimumSizeHint().height());
    ExpectEveryTextInsideAndApart(window.View().TextBoxes(), viewSize);
  }
}

}  // namespace
}  // namespace population
