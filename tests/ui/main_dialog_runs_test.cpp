// How many runs each kind of input makes: every trackbar notification and
// every command runs the model once; code that sets a position runs nothing.
#include <gtest/gtest.h>

#include <QTest>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/dialog_window.h"
#include "res/control_ids.h"
#include "tests/support/case_name.h"
#include "tests/ui/main_dialog_harness.h"
#include "tests/ui/modal_dialog_driver.h"
#include "tests/ui/temporary_current_directory.h"
#include "ui/slope_dialog.h"

namespace ui_test {
namespace {

struct RunCase {
  const char* name;
  std::function<void(MainDialogHarness&)> action;
  int runs;
};

std::ostream& operator<<(std::ostream& out, const RunCase& c) {
  return out << c.name;
}

void CancelSlopeDialog(MainDialogHarness& harness) {
  WhenDialogOpens<ui::CAdvDlg>([](ui::CAdvDlg& d) { ClickButton(d, res::kIdSlopeCancel); });
  harness.Click(res::kIdButtonSlopeParameter);
}

void OkSlopeDialog(MainDialogHarness& harness) {
  WhenDialogOpens<ui::CAdvDlg>([](ui::CAdvDlg& d) { ClickButton(d, res::kIdSlopeOk); });
  harness.Click(res::kIdButtonSlopeParameter);
}

const std::vector<RunCase> kRunCases = {
    {"KeyOnJ", [](MainDialogHarness& h) { h.Key(res::kIdSliderJ, Qt::Key_Right); }, 2},
    {"KeyOnACorrelationEnabledByNormalKinds",
     [](MainDialogHarness& h) {
       h.Click(res::kIdRadioNormalE);
       h.Click(res::kIdRadioNormalT);
       h.Key(res::kIdSliderCorrET, Qt::Key_PageUp);
     },
     4},
    {"HomeOnALocationTrackbar",
     [](MainDialogHarness& h) { h.Key(res::kIdSliderValueT, Qt::Key_Home); }, 2},
    {"SetTrackbarPosFromCode",
     [](MainDialogHarness& h) { h.Dialog().SetTrackbarPos(res::kIdSliderJ, 10, true); }, 0},
    {"SetSliderValueFromCode",
     [](MainDialogHarness& h) { h.Dialog().SetSliderValue(res::kIdSliderX, 0.5f); }, 0},
    {"ApplyLinkedSigmaFromCode",
     [](MainDialogHarness& h) { h.Dialog().ApplyLinkedSigma(res::kIdSliderValueE); }, 0},
    {"SeriesBox1100", [](MainDialogHarness& h) { h.Click(res::kIdCheckFirstOrderRate); }, 1},
    {"SeriesBox1101", [](MainDialogHarness& h) { h.Click(res::kIdCheckSecondOrderRate); }, 1},
    {"SeriesBox1102", [](MainDialogHarness& h) { h.Click(res::kIdCheckMeanPropensityVolunteers); },
     1},
    {"SeriesBox1103",
     [](MainDialogHarness& h) { h.Click(res::kIdCheckMeanPropensityNonVolunteers); }, 1},
    {"SeriesBox1104", [](MainDialogHarness& h) { h.Click(res::kIdCheckMeanPropensity); }, 1},
    {"Sanctions", [](MainDialogHarness& h) { h.Click(res::kIdCheckSanctions); }, 1},
    {"RadioButton", [](MainDialogHarness& h) { h.Click(res::kIdRadioLogNormalI); }, 1},
    {"SlopeParameterCancel", CancelSlopeDialog, 1},
    {"SlopeParameterOk", OkSlopeDialog, 1},
    {"DumpDataWithoutFile",
     [](MainDialogHarness& h) {
       const TemporaryCurrentDirectory empty;
       h.Click(res::kIdButtonDumpData);
     },
     1},
    {"ExitButton", [](MainDialogHarness& h) { h.Click(res::kIdButtonExit); }, 1},
    {"EnterKey", [](MainDialogHarness& h) { QTest::keyClick(h.Dialog().Window(), Qt::Key_Return); },
     1},
    {"EscapeKey",
     [](MainDialogHarness& h) { QTest::keyClick(h.Dialog().Window(), Qt::Key_Escape); }, 1},
    {"CloseBox", [](MainDialogHarness& h) { h.Dialog().Window()->close(); }, 1},
};

class RunsPerInput : public testing::TestWithParam<RunCase> {};

TEST_P(RunsPerInput, RunTheModelAsOftenAsTheyNotify) {
  MainDialogHarness harness;
  const int runsBefore = harness.Runs();
  GetParam().action(harness);
  EXPECT_EQ(harness.Runs() - runsBefore, GetParam().runs);
}

INSTANTIATE_TEST_SUITE_P(Inputs, RunsPerInput, testing::ValuesIn(kRunCases),
                         test_support::CaseName());

TEST(RunsPerInput, DraggingAThumbAcrossTenPositionsRunsAtLeastTenTimes) {
  MainDialogHarness harness;
  const int runsBefore = harness.Runs();
  const int positionBefore = harness.Position(res::kIdSliderJ);
  harness.Drag(res::kIdSliderJ, 30);
  const int positionsCrossed = std::abs(harness.Position(res::kIdSliderJ) - positionBefore);
  ASSERT_GE(positionsCrossed, 10);
  // At most one per position passed, then thumb-position and end-track.
  EXPECT_GE(harness.Runs() - runsBefore, 10);
  EXPECT_LE(harness.Runs() - runsBefore, positionsCrossed + 2);
  EXPECT_EQ(harness.LastRun().paramJ, harness.Position(res::kIdSliderJ) * 0.01);
}

struct EndingCase {
  const char* name;
  std::function<void(MainDialogHarness&)> action;
  int result;
};

std::ostream& operator<<(std::ostream& out, const EndingCase& c) {
  return out << c.name;
}

class Endings : public testing::TestWithParam<EndingCase> {};

// The closing steps still run once after the dialog was told to end, with
// the window still there.
TEST_P(Endings, EndTheDialogAfterOneLastRun) {
  MainDialogHarness harness;
  const int runsBefore = harness.Runs();
  GetParam().action(harness);
  EXPECT_EQ(harness.Runs() - runsBefore, 1);
  EXPECT_EQ(harness.Dialog().Result(), GetParam().result);
  EXPECT_FALSE(harness.Dialog().IsWindowVisible());
  EXPECT_TRUE(harness.Dialog().HasWindow());
}

INSTANTIATE_TEST_SUITE_P(
    OkAndCancel, Endings,
    testing::Values(
        EndingCase{"Exit", [](MainDialogHarness& h) { h.Click(res::kIdButtonExit); }, 1},
        EndingCase{
            "Enter",
            [](MainDialogHarness& h) { QTest::keyClick(h.Dialog().Window(), Qt::Key_Return); }, 1},
        EndingCase{
            "Escape",
            [](MainDialogHarness& h) { QTest::keyClick(h.Dialog().Window(), Qt::Key_Escape); }, 2},
        EndingCase{"CloseBox", [](MainDialogHarness& h) { h.Dialog().Window()->close(); }, 2}),
    test_support::CaseName());

TEST(Endings, ExitWritesNoFile) {
  const TemporaryCurrentDirectory directory;
  {
    MainDialogHarness harness;
    harness.Click(res::kIdButtonExit);
  }
  EXPECT_TRUE(std::filesystem::is_empty(directory.Path()));
}

TEST(RunsPerInput, EveryRunRepaintsTheWindowTwiceAtOnce) {
  MainDialogHarness harness;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(harness.Dialog().Window()));
  const int paintsBefore = harness.PaintCount();
  harness.Dialog().Recompute();
  EXPECT_EQ(harness.PaintCount() - paintsBefore, 2);
}

}  // namespace
}  // namespace ui_test
