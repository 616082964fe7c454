// The main window's links to the analysis windows: which windows are told of
// a run, and axis moves asked for by a window reaching the controls as a
// user's moves would.
#include "ui/analysis_links.h"

#include <gtest/gtest.h>

#include <QTest>
#include <string>
#include <vector>

#include "res/control_ids.h"
#include "tests/support/case_name.h"
#include "tests/ui/main_dialog_harness.h"
#include "ui/response_axes.h"
#include "ui/slider_table.h"
#include "ui/value_label_text.h"

namespace ui_test {
namespace {

using ui::AnalysisWindow;
using ui::AxisMove;

// A window that records what it was shown and told.
struct WindowLog {
  int shown = 0;
  int followed = 0;
  bool open = false;
};

ui::AnalysisHost HostFor(WindowLog& log) {
  return {[&log](const batch::ResponseContext&) { ++log.shown, log.open = true; },
          [&log] { return log.open; }, [&log](const batch::ResponseContext&) { ++log.followed; }};
}

TEST(AnalysisLinksTest, OnlyOpenWindowsAreToldAndTheContextIsMadeOnce) {
  ui::AnalysisLinks links;
  WindowLog response, map, sensitivity;
  links.SetHost(AnalysisWindow::kResponse, HostFor(response));
  links.SetHost(AnalysisWindow::kMap, HostFor(map));
  links.SetHost(AnalysisWindow::kSensitivity, HostFor(sensitivity));
  EXPECT_FALSE(links.HasHost(AnalysisWindow::kCalibration));
  EXPECT_TRUE(links.HasHost(AnalysisWindow::kMap));

  int contextsMade = 0;
  const auto context = [&contextsMade] { return ++contextsMade, batch::ResponseContext{}; };
  links.Follow(context);
  EXPECT_EQ(contextsMade, 0) << "no window is open";

  links.Show(AnalysisWindow::kMap, {});
  links.Show(AnalysisWindow::kSensitivity, {});
  links.Show(AnalysisWindow::kCalibration, {});  // no host: nothing happens
  links.Follow(context);
  EXPECT_EQ(contextsMade, 1);
  EXPECT_EQ(response.followed, 0);
  EXPECT_EQ(map.followed, 1);
  EXPECT_EQ(sensitivity.followed, 1);
}

std::size_t AxisOf(const ui::CMainDlg& dialog, int trackbarId) {
  return ui::AxisOfTrackbar(dialog.ResponseContextNow().axes, trackbarId);
}

struct MoveCase {
  const char* name;
  int firstId;
  int firstPosition;
  int secondId;
  int secondPosition;
};

class MoveAxesTest : public testing::TestWithParam<MoveCase> {};

// Whatever the order asked, a sigma keeps the position asked for, though
// moving its location pulls it; the run and the labels follow the moves.
TEST_P(MoveAxesTest, TrackbarsReachTheAskedPositionsAndTheRunFollows) {
  const MoveCase& c = GetParam();
  MainDialogHarness harness;
  ui::CMainDlg& dialog = harness.Dialog();
  harness.Click(res::kIdRadioNormalR);
  const ui::SliderSpec* first = ui::FindSlider(c.firstId);
  const ui::SliderSpec* second = ui::FindSlider(c.secondId);
  const std::vector<AxisMove> moves = {
      {AxisOf(dialog, c.firstId), static_cast<std::size_t>(c.firstPosition - first->rangeMin)},
      {AxisOf(dialog, c.secondId), static_cast<std::size_t>(c.secondPosition - second->rangeMin)}};
  const int runsBefore = harness.Runs();
  dialog.MoveAxes(moves);
  EXPECT_EQ(harness.Position(c.firstId), c.firstPosition);
  EXPECT_EQ(harness.Position(c.secondId), c.secondPosition);
  EXPECT_GT(harness.Runs(), runsBefore);
  const batch::ResponseContext after = dialog.ResponseContextNow();
  EXPECT_EQ(after.axes[moves[0].axis].current, moves[0].position);
  EXPECT_EQ(after.axes[moves[1].axis].current, moves[1].position);
  EXPECT_EQ(harness.Text(first->labelId),
            ui::ValueLabelText(c.firstPosition * first->scale, first->decimals));
  EXPECT_EQ(harness.Text(second->labelId),
            ui::ValueLabelText(c.secondPosition * second->scale, second->decimals));
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, MoveAxesTest,
    testing::Values(MoveCase{"JAndX", res::kIdSliderJ, 30, res::kIdSliderX, 70},
                    MoveCase{"MedianThenSigma", res::kIdSliderMedianR, 80, res::kIdSliderSigmaR, 5},
                    MoveCase{"SigmaThenMedian", res::kIdSliderSigmaR, 5, res::kIdSliderMedianR,
                             80}),
    test_support::CaseName());

TEST(MoveAxesKindTest, AKindAxisClicksItsRadioButton) {
  MainDialogHarness harness;
  ui::CMainDlg& dialog = harness.Dialog();
  const batch::ResponseContext context = dialog.ResponseContextNow();
  std::size_t kindAxis = context.axes.size();
  for (std::size_t a = 0; a < context.axes.size(); ++a) {
    if (context.axes[a].label == "R distribution") {
      kindAxis = a;
      break;
    }
  }
  ASSERT_LT(kindAxis, context.axes.size());
  const std::vector<AxisMove> moves = {{kindAxis, 2}};
  dialog.MoveAxes(moves);
  EXPECT_EQ(dialog.ResponseContextNow().axes[kindAxis].current, 2u);
  EXPECT_TRUE(harness.Checked(res::kIdRadioLogNormalR));
}

TEST(MoveAxesKindTest, MovesOutsideTheAxesChangeNothing) {
  MainDialogHarness harness;
  ui::CMainDlg& dialog = harness.Dialog();
  const std::size_t axes = dialog.ResponseContextNow().axes.size();
  const int runsBefore = harness.Runs();
  const std::vector<AxisMove> moves = {{axes, 0}, {0, 100000}};
  dialog.MoveAxes(moves);
  EXPECT_EQ(harness.Runs(), runsBefore);
}

}  // namespace
}  // namespace ui_test
