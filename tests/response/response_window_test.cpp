#include "response/response_window.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPointer>
#include <QTest>
#include <QXmlStreamReader>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/dialog_window.h"
#include "res/control_ids.h"
#include "tests/ui/graph_menu_driver.h"
#include "tests/ui/main_dialog_harness.h"
#include "tests/ui/temporary_current_directory.h"

namespace ui_test {
namespace {

constexpr std::string_view kExploreItem = "Explore Parameter\u2026";
constexpr int kWaitMs = 20'000;

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The main window with a response window hosted as the application hosts it.
class ResponseWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    harness_.Dialog().SetAnalysisHost(
        ui::AnalysisWindow::kResponse,
        {
            [this](const batch::ResponseContext& context) {
              if (!window_) window_ = new response::ResponseWindow(harness_.Dialog().Window());
              window_->ShowFor(context);
            },
            [this] { return window_ && window_->isVisible(); },
            [this](const batch::ResponseContext& context) { window_->Follow(context); },
        });
  }

  bool WaitForResult() {
    return QTest::qWaitFor([this] { return window_ && !window_->Computing(); }, kWaitMs);
  }

  // What the window shows must be what the batch engine gives for its request.
  void ExpectShownPointsComputedAfresh() {
    ASSERT_TRUE(window_->ShownRequest().has_value());
    const std::atomic<bool> stop{false};
    const auto points = batch::ComputeResponse(*window_->ShownRequest(), 1, stop);
    ASSERT_TRUE(points.has_value());
    const std::vector<batch::ResponsePoint>& shown = window_->Plot().points;
    ASSERT_EQ(shown.size(), points->size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
      EXPECT_EQ(shown[i].value, (*points)[i].value);
      EXPECT_EQ(shown[i].median, (*points)[i].median) << i;
      EXPECT_EQ(shown[i].q05, (*points)[i].q05) << i;
      EXPECT_EQ(shown[i].q95, (*points)[i].q95) << i;
    }
  }

  MainDialogHarness harness_;
  MenuChooser chooser_;
  QPointer<response::ResponseWindow> window_;
};

TEST_F(ResponseWindowTest, OpensOnTheLastMovedTrackbarAndFollowsTheMainWindow) {
  harness_.Click(res::kIdRadioNormalR);
  harness_.Keys(res::kIdSliderX, {Qt::Key_Right});
  ChooseFromGraphMenu(harness_, chooser_, kExploreItem);
  ASSERT_TRUE(window_);
  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(window_->windowTitle().toStdString(), "Corvellan: Parameter Response");
  ASSERT_TRUE(WaitForResult());
  EXPECT_EQ(window_->ShownRequest()->axis.label, "X");
  EXPECT_EQ(window_->Plot().points.size(), 201U);  // X runs from -100 to 100
  EXPECT_EQ(window_->Plot().current, 101U);
  EXPECT_EQ(window_->ShownRequest()->replicates, 16U);
  ExpectShownPointsComputedAfresh();

  harness_.Keys(res::kIdSliderX, {Qt::Key_Right, Qt::Key_Right});
  ASSERT_TRUE(WaitForResult());
  EXPECT_EQ(window_->Plot().current, 103U);
  EXPECT_EQ(window_->ShownRequest()->seed, harness_.Dialog().ShownRun()->seed);
  ExpectShownPointsComputedAfresh();
}

TEST_F(ResponseWindowTest, SweepsADistributionOverItsKinds) {
  ChooseFromGraphMenu(harness_, chooser_, kExploreItem);
  ASSERT_TRUE(WaitForResult());
  const batch::ResponseContext context = harness_.Dialog().ResponseContextNow();
  std::size_t distI = 0;
  while (context.axes[distI].label != "I distribution") ++distI;
  window_->ChooseParameter(distI);
  window_->ChooseMeasure(batch::ResponseMeasure::kLateMean);
  window_->ChooseReplicates(5);
  ASSERT_TRUE(WaitForResult());
  EXPECT_EQ(window_->Plot().points.size(), 3U);
  EXPECT_EQ(window_->Plot().xNames.size(), 3U);
  EXPECT_EQ(window_->ShownRequest()->measure, batch::ResponseMeasure::kLateMean);
  ExpectShownPointsComputedAfresh();
}

TEST_F(ResponseWindowTest, SavesItsNumbersAndPictures) {
  TemporaryCurrentDirectory directory;
  ChooseFromGraphMenu(harness_, chooser_, kExploreItem);
  window_->ChooseReplicates(4);
  ASSERT_TRUE(WaitForResult());
  const std::filesystem::path csv = directory.Path() / "response.csv";
  const std::filesystem::path png = directory.Path() / "response.png";
  const std::filesystem::path svg = directory.Path() / "response.svg";
  EXPECT_EQ(window_->SaveCsv(csv.string()), "");
  EXPECT_EQ(window_->SavePng(png.string()), "");
  EXPECT_EQ(window_->SaveSvg(svg.string()), "");
  EXPECT_EQ(ReadFile(csv), batch::ResponseCsv(*window_->ShownRequest(), window_->Plot().points));
  EXPECT_TRUE(ReadFile(csv).starts_with("# corvellan-run --seed "));
  const QImage image(QString::fromStdString(png.string()));
  EXPECT_EQ(image.size(), QSize(720, 440));
  QFile file(QString::fromStdString(svg.string()));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&file);
  int elements = 0;
  while (!xml.atEnd()) elements += xml.readNext() == QXmlStreamReader::StartElement ? 1 : 0;
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_GT(elements, 10);
  EXPECT_NE(window_->SaveCsv((directory.Path() / "missing" / "x.csv").string()), "");
}

}  // namespace
}  // namespace ui_test
