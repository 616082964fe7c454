#include "sensitivity/sensitivity_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "batch/sensitivity_analysis.h"
#include "cli/runner.h"
#include "model/result_series.h"
#include "run_description/parameter_table.h"
#include "tests/support/case_name.h"

namespace sensitivity {
namespace {

constexpr int kWaitMs = 60'000;
constexpr int kSmallBaseRows = 16;
constexpr int kNormal = 1;

// The main window's context as it hands it over: its run, and an axis per
// trackbar parameter (the values do not matter here).
batch::ResponseContext Context() {
  batch::ResponseContext context;
  context.arguments = run::DefaultRunArguments();
  context.arguments.distR = kNormal;
  context.arguments.distI = kNormal;
  context.seed = 17;
  for (std::size_t i = 0; i < run::ParameterTable().size(); ++i) {
    const run::ParameterRow& row = run::ParameterTable()[i];
    if (row.fedBy.feeder != run::Feeder::kTrackbar &&
        row.fedBy.feeder != run::Feeder::kTrackbarShare) {
      continue;
    }
    // In the reverse order of the table, so that an axis index is not a factor index.
    context.axes.insert(context.axes.begin(),
                        batch::ResponseAxis{std::string(row.panel.name), i, {}, 0});
  }
  return context;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SensitivityWindowTest : public testing::Test {
 protected:
  SensitivityWindowTest()
      : window_(nullptr, [this](std::size_t axis) { explored_.push_back(axis); }) {}

  bool WaitForMorris() {
    return QTest::qWaitFor([this] { return !window_.MorrisComputing(); }, kWaitMs);
  }
  bool WaitForSobol() {
    return QTest::qWaitFor([this] { return !window_.SobolComputing(); }, kWaitMs);
  }

  SensitivityWindow window_;
  std::vector<std::size_t> explored_;
};

TEST_F(SensitivityWindowTest, ScreensOnShowAsTheAnalysisDoes) {
  window_.ShowFor(Context());
  ASSERT_TRUE(WaitForMorris());
  ASSERT_TRUE(window_.ShownMorrisPlan());
  const batch::SensitivityPlan& plan = *window_.ShownMorrisPlan();
  const batch::MorrisModelDesign design(plan.context, plan.morris);
  batch::EngineSettings engine;
  const std::atomic<bool> stop{false};
  const batch::MorrisAnalysis fresh = batch::AnalyseMorris(design, plan.measure, engine, stop);
  const std::vector<ScreeningPoint>& shown = window_.Morris().points;
  ASSERT_EQ(shown.size(), fresh.effects.size());
  for (std::size_t f = 0; f < shown.size(); ++f) {
    EXPECT_EQ(shown[f].muStar, fresh.effects[f].muStar);
    EXPECT_EQ(shown[f].sigma, fresh.effects[f].sigma);
  }
  EXPECT_EQ(window_.windowTitle().toStdString(), "Corvellan: Sensitivity");
}

struct FollowCase {
  const char* name;
  void (*change)(model::RunArguments& arguments);
  bool screensAgain;
};

const FollowCase kFollowCases[] = {
    {"TrackbarMoved", [](model::RunArguments& a) { a.paramJ = 0.9; }, false},
    {"SeedChanged", [](model::RunArguments&) {}, false},
    {"KindChanged", [](model::RunArguments& a) { a.distT = kNormal; }, true},
    {"SanctionsTicked", [](model::RunArguments& a) { a.sanctionsOn = 1; }, true},
};

class SensitivityFollowTest : public SensitivityWindowTest,
                              public testing::WithParamInterface<FollowCase> {};

TEST_P(SensitivityFollowTest, ScreensAgainOnlyWhenTheKindsOrSanctionsChange) {
  batch::ResponseContext context = Context();
  window_.ShowFor(context);
  ASSERT_TRUE(WaitForMorris());
  const std::uint64_t before = window_.MorrisComputations();
  GetParam().change(context.arguments);
  context.seed += 1;
  window_.Follow(context);
  ASSERT_TRUE(WaitForMorris());
  EXPECT_EQ(window_.MorrisComputations() > before, GetParam().screensAgain);
  if (GetParam().screensAgain) {
    EXPECT_EQ(window_.ShownMorrisPlan()->context.arguments.sanctionsOn,
              context.arguments.sanctionsOn);
    EXPECT_EQ(window_.ShownMorrisPlan()->context.arguments.distT, context.arguments.distT);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SensitivityFollowTest, testing::ValuesIn(kFollowCases),
                         test_support::CaseName());

TEST_F(SensitivityWindowTest, SobolOnDemandSortsByTotalWithTheDrawApart) {
  window_.ShowFor(Context());
  window_.ChooseLateMean(true);
  window_.ChooseBaseRows(kSmallBaseRows);
  window_.StartSobol();
  EXPECT_TRUE(window_.SobolComputing());
  ASSERT_TRUE(WaitForSobol());
  ASSERT_TRUE(window_.ShownSobolPlan());
  const batch::SensitivityPlan& plan = *window_.ShownSobolPlan();
  EXPECT_EQ(plan.measure.first, 81);
  const batch::SobolModelDesign design(plan.context, plan.baseRows);
  const std::atomic<bool> stop{false};
  const batch::SobolAnalysis fresh = batch::AnalyseSobol(
      design, {plan.baseRows, plan.measure, plan.resamples, plan.level}, {}, stop);
  const SobolChartData& shown = window_.Sobol();
  ASSERT_EQ(shown.rows.size(), plan.context.factors.size());
  for (std::size_t r = 0; r < shown.rows.size(); ++r) {
    if (r > 0) {
      EXPECT_GE(shown.rows[r - 1].total, shown.rows[r].total);
    }
    EXPECT_EQ(shown.rows[r].total, fresh.indices[shown.rows[r].factor].total);
    EXPECT_EQ(shown.rows[r].firstLow, fresh.indices[shown.rows[r].factor].firstLow);
  }
  ASSERT_TRUE(shown.draw);
  EXPECT_EQ(shown.draw->total, fresh.indices.back().total);
}

TEST_F(SensitivityWindowTest, CancelledSobolShowsNothing) {
  window_.ShowFor(Context());
  window_.ChooseBaseRows(4096);
  window_.StartSobol();
  window_.CancelSobol();
  EXPECT_FALSE(window_.SobolComputing());
  QTest::qWait(200);
  EXPECT_FALSE(window_.ShownSobolPlan());
  EXPECT_TRUE(window_.Sobol().rows.empty());
}

TEST_F(SensitivityWindowTest, AFactorClickedOrChosenIsExploredOnItsAxis) {
  const batch::ResponseContext context = Context();
  window_.ShowFor(context);
  window_.ChooseBaseRows(kSmallBaseRows);
  window_.StartSobol();
  ASSERT_TRUE(WaitForSobol());
  auto* chart = window_.findChild<QWidget*>(QStringLiteral("sobolChart"));
  ASSERT_NE(chart, nullptr);
  window_.ShowSobolTab(true);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  ASSERT_TRUE(chart->isVisible());
  // The press as the chart receives it, on the middle of its top row.
  const QPointF centre = SobolRowRect(chart->fontMetrics(), chart->size(), 0).center();
  QMouseEvent press(QEvent::MouseButtonPress, centre, chart->mapToGlobal(centre), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(chart, &press);
  ASSERT_EQ(explored_.size(), 1u);
  const std::size_t factor = window_.Sobol().rows[0].factor;
  EXPECT_EQ(context.axes[explored_[0]].parameter,
            window_.ShownSobolPlan()->context.factors[factor].parameter);
  window_.ExploreChosen();  // the first factor, paramJ
  ASSERT_EQ(explored_.size(), 2u);
  EXPECT_EQ(context.axes[explored_[1]].label, "J");
}

TEST_F(SensitivityWindowTest, SavesTheTabOnShowWithItsCommand) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "corvellan-sens";
  std::filesystem::create_directories(folder);
  window_.ShowFor(Context());
  ASSERT_TRUE(WaitForMorris());
  window_.ShowSobolTab(false);
  ASSERT_EQ(window_.SaveCsv((folder / "morris.csv").string()), "");
  EXPECT_EQ(ReadFile(folder / "morris.csv").rfind("# corvellan-run --seed 17 ", 0), 0u);
  EXPECT_NE(ReadFile(folder / "morris.csv").find("--sensitivity morris"), std::string::npos);
  window_.ShowSobolTab(true);
  EXPECT_NE(window_.SaveCsv((folder / "none.csv").string()), "");
  window_.ChooseBaseRows(kSmallBaseRows);
  window_.StartSobol();
  ASSERT_TRUE(WaitForSobol());
  ASSERT_EQ(window_.SaveCsv((folder / "sobol.csv").string()), "");
  EXPECT_NE(ReadFile(folder / "sobol.csv").find("--sensitivity sobol --samples 16"),
            std::string::npos);
  ASSERT_EQ(window_.SavePng((folder / "sobol.png").string()), "");
  EXPECT_FALSE(QImage(QString::fromStdString((folder / "sobol.png").string())).isNull());
  ASSERT_EQ(window_.SaveSvg((folder / "sobol.svg").string()), "");
  EXPECT_NE(ReadFile(folder / "sobol.svg").find("<svg"), std::string::npos);
  std::filesystem::remove_all(folder);
}

// The saved CSV's first line is a command that writes that very CSV, also
// after the main window has moved on in ways the screening does not follow.
TEST_F(SensitivityWindowTest, TheSavedCommandRepeatsTheTable) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "corvellan-sens-morris.csv";
  batch::ResponseContext context = Context();
  window_.ShowFor(context);
  window_.ChooseSeries(model::kMeanPropensity);
  const std::uint64_t computations = window_.MorrisComputations();
  // While the screening runs: a new seed and trackbar, which it does not follow.
  context.seed += 1;
  context.arguments.paramX = -0.5;
  window_.Follow(context);
  ASSERT_TRUE(WaitForMorris());
  ASSERT_EQ(window_.MorrisComputations(), computations);
  window_.ShowSobolTab(false);
  ASSERT_EQ(window_.SaveCsv(path.string()), "");
  const std::string saved = ReadFile(path);
  std::filesystem::remove(path);
  std::istringstream command(saved.substr(2, saved.find('\n') - 2));
  std::vector<std::string> args;
  for (std::string word; command >> word;) args.push_back(word);
  ASSERT_EQ(args.front(), "corvellan-run");
  args.erase(args.begin());
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(cli::RunCommandLine(args, out, err), cli::kExitSuccess) << err.str();
  EXPECT_EQ(out.str(), saved);
}

TEST_F(SensitivityWindowTest, EscapeAndCtrlWClose) {
  for (const QKeySequence& keys :
       {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)}) {
    window_.ShowFor(Context());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    EXPECT_TRUE(window_.isVisible());
    QTest::keySequence(&window_, keys);
    EXPECT_FALSE(window_.isVisible());
  }
}

// Every label fits its room: the chart is never smaller than what its font
// needs. With CORVELLAN_SCREENSHOTS set to a folder, the window is saved
// there to be looked at (run with QT_SCALE_FACTOR=2 for the doubled scale).
TEST_F(SensitivityWindowTest, TheWindowHoldsEveryLabel) {
  window_.ShowFor(Context());
  window_.ChooseBaseRows(kSmallBaseRows);
  window_.StartSobol();
  ASSERT_TRUE(WaitForSobol());
  ASSERT_TRUE(WaitForMorris());
  window_.adjustSize();
  auto* chart = window_.findChild<QWidget*>(QStringLiteral("sobolChart"));
  const QFontMetrics metrics = chart->fontMetrics();
  for (const IndexRow& row : window_.Sobol().rows) {
    EXPECT_LT(metrics.horizontalAdvance(row.name),
              SobolRowRect(metrics, chart->minimumSizeHint(), 0).width() / 2);
  }
  for (bool sobol : {false, true}) {
    window_.ShowSobolTab(sobol);
    QTest::qWait(50);
    const QImage picture = window_.grab().toImage();
    EXPECT_FALSE(picture.isNull());
    if (const char* folder = std::getenv("CORVELLAN_SCREENSHOTS")) {
      picture.save(QString::fromUtf8(folder) + (sobol ? "/sobol.png" : "/morris.png"));
      EXPECT_EQ(
          window_.SavePng(std::string(folder) + (sobol ? "/sobol-saved.png" : "/morris-saved.png")),
          "");
    }
  }
}

}  // namespace
}  // namespace sensitivity
