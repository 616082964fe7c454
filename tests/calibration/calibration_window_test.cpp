#include "calibration/calibration_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "abc/model_fit.h"
#include "abc/posterior_summary.h"
#include "batch/run_values.h"
#include "batch/seeded_run.h"
#include "run_description/parameter_table.h"
#include "tests/support/case_name.h"

namespace calibration {
namespace {

constexpr int kWaitMs = 120'000;
constexpr std::int32_t kSeed = 31;

// The main window's context at its start: every trackbar parameter as an
// axis over its positions, as the main window makes them.
batch::ResponseContext StartContext() {
  batch::ResponseContext context;
  context.arguments = run::DefaultRunArguments();
  context.seed = kSeed;
  const auto parameters = run::ParameterTable();
  for (std::size_t p = 0; p < parameters.size(); ++p) {
    const run::ParameterRow& row = parameters[p];
    const bool share = row.fedBy.feeder == run::Feeder::kTrackbarShare;
    if (row.fedBy.feeder != run::Feeder::kTrackbar && !share) continue;
    batch::ResponseAxis axis{std::string(row.panel.name), p, {}, 0};
    const run::TrackbarRange& range = row.panel.trackbar;
    for (int position = range.minimum; position <= range.maximum; ++position) {
      const double value = run::rows::PositionValue(position);
      axis.values.push_back(share ? static_cast<int>(value * context.arguments.agentCount) : value);
    }
    axis.current = static_cast<std::size_t>(range.start - range.minimum);
    context.axes.push_back(std::move(axis));
  }
  return context;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CalibrationWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string name = (std::filesystem::temp_directory_path() / "corvellan-fit-XXXXXX").string();
    folder_ = ::mkdtemp(name.data());
    window_ = std::make_unique<CalibrationWindow>(
        nullptr, [this](std::vector<std::pair<std::size_t, std::size_t>> moves) {
          moves_ = std::move(moves);
        });
    window_->ShowFor(StartContext());
  }
  void TearDown() override {
    window_.reset();
    std::filesystem::remove_all(folder_);
  }

  // The first-order rate of a run at J 0.3 and T Value 0.6, every step.
  std::string MadeData() {
    model::RunArguments truth = run::DefaultRunArguments();
    truth.paramJ = 0.3;
    truth.valueT = 0.6;
    batch::SeededRunner runner;
    std::vector<float> values(batch::kValuesPerRun);
    runner.Run(truth, 5, values);
    std::string text = "step,firstOrderRate\n";
    for (int k = 0; k < model::kStepCount; ++k) {
      text += std::to_string(k) + ',' +
              std::to_string(values[batch::ValueIndex(model::kFirstOrderRate, k)]) + '\n';
    }
    return WriteData("made.csv", text);
  }

  std::string WriteData(const std::string& name, const std::string& text) {
    const std::filesystem::path path = folder_ / name;
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
  }

  bool WaitForFit() {
    return QTest::qWaitFor([this] { return !window_->Fitting(); }, kWaitMs);
  }

  std::filesystem::path folder_;
  std::unique_ptr<CalibrationWindow> window_;
  std::vector<std::pair<std::size_t, std::size_t>> moves_;
};

TEST_F(CalibrationWindowTest, RefusesABadFileAndKeepsTheDataItHad) {
  ASSERT_EQ(window_->LoadObserved(MadeData()), "");
  const std::string bad = WriteData("bad.csv", "step,firstOrderRate\n0,0.5\n0,0.5\n");
  EXPECT_EQ(window_->LoadObserved(bad), "line 3, field step: step 0 is given twice");
  EXPECT_NE(window_->LoadObserved((folder_ / "missing.csv").string()), "");
  window_->ChooseParameter("paramJ", true);
  window_->SetParticles(20);
  window_->SetBudget(100);
  ASSERT_EQ(window_->StartFit(), "");
  ASSERT_TRUE(WaitForFit());
  ASSERT_TRUE(window_->ResultRequest().has_value());
  EXPECT_EQ(window_->ResultRequest()->observedPath, (folder_ / "made.csv").string());
}

struct RefusalCase {
  const char* name;
  bool withData;
  std::vector<std::string> ticked;
  QString low;
  std::string refusal;
};

const RefusalCase kRefusals[] = {
    {"NoData", false, {"paramJ"}, {}, "Open the observed data first."},
    {"NothingTicked", true, {}, {}, "Tick a parameter to fit."},
    {"PriorNotANumber", true, {"paramJ"}, "x", "J: paramJ, low end: expected a number, got \"x\""},
    {"PriorPastTheTrackbar",
     true,
     {"paramJ"},
     "-0.5",
     "J: paramJ: the prior must lie within the trackbar's range, 0 to 1"},
    {"SevenTicked",
     true,
     {"paramJ", "paramX", "medianR", "sigmaR", "valueI", "sigmaI", "valueT"},
     {},
     "At most 6 parameters are fitted at once."},
};

class CalibrationRefusals : public CalibrationWindowTest,
                            public testing::WithParamInterface<RefusalCase> {};

TEST_P(CalibrationRefusals, NameTheFaultAndStartNothing) {
  const RefusalCase& c = GetParam();
  if (c.withData) {
    ASSERT_EQ(window_->LoadObserved(MadeData()), "");
  }
  for (const std::string& name : c.ticked) window_->ChooseParameter(name, true, c.low);
  EXPECT_EQ(window_->StartFit(), c.refusal);
  EXPECT_FALSE(window_->Fitting());
}

INSTANTIATE_TEST_SUITE_P(Cases, CalibrationRefusals, testing::ValuesIn(kRefusals),
                         test_support::CaseName());

// The window's fit is the runner's: the same particles as the sampler gives
// on one thread, its particles saved as the runner writes them, and the
// trackbars moved to the positions nearest the medians.
TEST_F(CalibrationWindowTest, FitsAsTheRunnerDoesAndMovesTheTrackbarsToTheMedians) {
  ASSERT_EQ(window_->LoadObserved(MadeData()), "");
  window_->ChooseParameter("paramJ", true);
  window_->ChooseParameter("valueT", true, "0.2", "0.9");
  window_->SetParticles(100);
  window_->SetBudget(3000);
  ASSERT_EQ(window_->StartFit(), "");
  EXPECT_TRUE(window_->Fitting());
  ASSERT_TRUE(WaitForFit());
  ASSERT_TRUE(window_->Result().has_value()) << window_->Status().toStdString();
  const abc::FitRequest& request = *window_->ResultRequest();
  ASSERT_EQ(request.fitted.size(), 2u);
  EXPECT_EQ(request.fitted[1].prior.low, 0.2);
  EXPECT_EQ(request.settings.seed, kSeed);

  const std::atomic<bool> stop{false};
  std::vector<abc::PriorRange> priors;
  for (const abc::FittedParameter& f : request.fitted) priors.push_back(f.prior);
  const run::ObservedDataReading observed = run::ReadObservedData(ReadFile(request.observedPath));
  abc::ModelSimulator simulator(request.arguments, request.fitted, observed.data->points, 1, stop);
  const abc::FitResult alone = abc::RunAbcSmc(priors, request.settings, simulator);
  const abc::Population& shown = window_->Result()->populations.back();
  ASSERT_EQ(alone.populations.size(), window_->Result()->populations.size());
  for (std::size_t i = 0; i < shown.particles.size(); ++i) {
    EXPECT_EQ(shown.particles[i].theta, alone.populations.back().particles[i].theta) << i;
  }

  const std::filesystem::path saved = folder_ / "particles.csv";
  ASSERT_EQ(window_->SaveParticles(saved.string()), "");
  EXPECT_EQ(ReadFile(saved), abc::FitCsv(request, alone));
  EXPECT_EQ(window_->SavePng((folder_ / "plot.png").string()), "");
  EXPECT_FALSE(QImage(QString::fromStdString((folder_ / "plot.png").string())).isNull());
  EXPECT_EQ(window_->SaveSvg((folder_ / "plot.svg").string()), "");
  EXPECT_NE(ReadFile(folder_ / "plot.svg").find("<svg"), std::string::npos);

  ASSERT_EQ(window_->ShowInMainWindow(), "");
  const batch::ResponseContext context = StartContext();
  ASSERT_EQ(moves_.size(), 2u);
  for (std::size_t p = 0; p < 2; ++p) {
    const auto [axis, position] = moves_[p];
    EXPECT_EQ(context.axes[axis].parameter, request.fitted[p].parameter);
    const double median = abc::SummariseParameter(shown, p).median;
    // The position's value is a hundredth from the median at most.
    EXPECT_NEAR(context.axes[axis].values[position], median, 0.005 + 1e-12);
  }
}

TEST_F(CalibrationWindowTest, CancelStopsTheFit) {
  ASSERT_EQ(window_->LoadObserved(MadeData()), "");
  window_->ChooseParameter("paramJ", true);
  window_->SetParticles(200);
  window_->SetBudget(100'000'000);
  ASSERT_EQ(window_->StartFit(), "");
  QTest::qWait(500);
  window_->CancelFit();
  ASSERT_TRUE(QTest::qWaitFor([this] { return !window_->Fitting(); }, 10'000));
}

TEST_F(CalibrationWindowTest, EscapeAndCtrlWClose) {
  for (const auto& [key, modifiers] :
       {std::pair{Qt::Key_Escape, Qt::NoModifier}, std::pair{Qt::Key_W, Qt::ControlModifier}}) {
    window_->ShowFor(StartContext());
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    QTest::keyClick(window_.get(), key, modifiers);
    EXPECT_FALSE(window_->isVisible());
  }
}

// No label or button shows less than its text needs, at the size the window
// opens with; CORVELLAN_SCREENSHOTS names a folder for a picture of it.
TEST_F(CalibrationWindowTest, ClipsNoText) {
  ASSERT_EQ(window_->LoadObserved(MadeData()), "");
  window_->ChooseParameter("paramJ", true);
  window_->ChooseParameter("valueT", true);
  window_->SetParticles(100);
  window_->SetBudget(2000);
  ASSERT_EQ(window_->StartFit(), "");
  ASSERT_TRUE(WaitForFit());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  for (const QAbstractButton* button : window_->findChildren<QAbstractButton*>()) {
    if (!button->isVisible()) continue;
    EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
  }
  for (const QLabel* label : window_->findChildren<QLabel*>()) {
    if (!label->isVisible() || label->wordWrap()) continue;
    EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
  }
  if (const char* folder = std::getenv("CORVELLAN_SCREENSHOTS")) {
    window_->grab().save(QString::fromUtf8(folder) + "/calibration-window.png");
  }
}

}  // namespace
}  // namespace calibration
