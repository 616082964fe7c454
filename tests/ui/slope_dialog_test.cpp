// The slope dialog: its field, its exchange on OK, and opening it from the
// main dialog.
#include "ui/slope_dialog.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/dialog_window.h"
#include "platform/message_box.h"
#include "res/control_ids.h"
#include "tests/support/case_name.h"
#include "tests/support/paint_counting.h"
#include "tests/ui/main_dialog_harness.h"
#include "tests/ui/modal_dialog_driver.h"

namespace ui_test {
namespace {

using platform::MessageIcon;

class SlopeDialog : public testing::Test {
 protected:
  void SetUp() override { dialog_.Create(); }

  QLineEdit* Field() const { return dialog_.Window()->ControlAs<QLineEdit>(res::kIdSlopeEdit); }

  MessageRecorder messages_;
  test_support::PaintCounting<ui::CAdvDlg> dialog_;
};

TEST_F(SlopeDialog, OpensWithTheSlopeTenInItsReadOnlyField) {
  EXPECT_EQ(dialog_.slopeValue, 10.0);
  EXPECT_EQ(dialog_.ControlText(res::kIdSlopeEdit), "10");
  EXPECT_TRUE(Field()->isReadOnly());
  EXPECT_EQ(dialog_.Window()->windowTitle().toStdString(), "Dialog");
}

TEST_F(SlopeDialog, OkWithTheShownSlopeClosesWithoutAMessage) {
  ClickButton(dialog_, res::kIdSlopeOk);
  EXPECT_EQ(dialog_.Result(), platform::kIdOk);
  EXPECT_FALSE(dialog_.IsWindowVisible());
  EXPECT_EQ(dialog_.slopeValue, 10.0);
  EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(SlopeDialog, CancelClosesWithoutReadingTheField) {
  dialog_.SetControlText(res::kIdSlopeEdit, "25");
  ClickButton(dialog_, res::kIdSlopeCancel);
  EXPECT_EQ(dialog_.Result(), platform::kIdCancel);
  EXPECT_EQ(dialog_.slopeValue, 10.0);
}

// A change of the text asks for a repaint of the preview.
TEST_F(SlopeDialog, ChangingTheTextRepaintsThePreview) {
  QCoreApplication::processEvents();
  const int paintsBefore = dialog_.PaintCount();
  dialog_.SetControlText(res::kIdSlopeEdit, "4");
  QCoreApplication::processEvents();
  EXPECT_GT(dialog_.PaintCount(), paintsBefore);
}

// Texts forced into the read-only field from code, and what OK makes of them.
struct ExchangeCase {
  const char* name;
  const char* text;
  const char* message;  // nullptr: the dialog closes
  double slopeValue;
};

std::ostream& operator<<(std::ostream& out, const ExchangeCase& c) {
  return out << c.name;
}

constexpr const char* kNotANumber = "Please enter a number.";
constexpr const char* kOutOfRange = "Please enter a number between 0 and 1000000.";

class SlopeExchangeOnOk : public SlopeDialog, public testing::WithParamInterface<ExchangeCase> {};

TEST_P(SlopeExchangeOnOk, ClosesOnlyForANumberInRange) {
  const ExchangeCase& c = GetParam();
  dialog_.SetControlText(res::kIdSlopeEdit, c.text);
  ClickButton(dialog_, res::kIdSlopeOk);
  EXPECT_EQ(dialog_.slopeValue, c.slopeValue);
  if (c.message == nullptr) {
    EXPECT_FALSE(dialog_.IsWindowVisible());
    EXPECT_TRUE(messages_.Messages().empty());
    return;
  }
  EXPECT_TRUE(dialog_.IsWindowVisible());
  ASSERT_EQ(messages_.Messages().size(), 1U);
  EXPECT_EQ(messages_.Messages().front().text, c.message);
  EXPECT_EQ(messages_.Messages().front().icon, MessageIcon::kExclamation);
  EXPECT_EQ(Field()->selectedText().toStdString(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    ForcedTexts, SlopeExchangeOnOk,
    testing::Values(ExchangeCase{"Letters", "abc", kNotANumber, 10.0},
                    ExchangeCase{"Empty", "", kNotANumber, 10.0},
                    ExchangeCase{"OnlyBlanks", "   ", kNotANumber, 10.0},
                    ExchangeCase{"Negative", "-1", kOutOfRange, -1.0},
                    ExchangeCase{"TooLarge", "1000000.5", kOutOfRange, 1000000.5},
                    ExchangeCase{"Zero", "0", nullptr, 0.0},
                    ExchangeCase{"UpperBound", "1e6", nullptr, 1000000.0},
                    ExchangeCase{"LeadingBlanksAndTrailingText", "  42xyz", nullptr, 42.0}),
    test_support::CaseName());

TEST_F(SlopeDialog, AfterAMessageTheUserCanStillCancel) {
  dialog_.SetControlText(res::kIdSlopeEdit, "abc");
  ClickButton(dialog_, res::kIdSlopeOk);
  ClickButton(dialog_, res::kIdSlopeCancel);
  EXPECT_EQ(dialog_.Result(), platform::kIdCancel);
}

// Opened from "Slope Parameter", modally over the main dialog.
struct OpeningCase {
  const char* name;
  std::function<void(ui::CAdvDlg&)> close;
};

std::ostream& operator<<(std::ostream& out, const OpeningCase& c) {
  return out << c.name;
}

class SlopeFromMainDialog : public testing::TestWithParam<OpeningCase> {};

TEST_P(SlopeFromMainDialog, ShowsTenDisablesTheOwnerAndChangesNothing) {
  MainDialogHarness harness;
  const model::RunArguments before = harness.LastRun();
  std::string shownText;
  bool ownerEnabled = true;
  const std::function<void(ui::CAdvDlg&)> close = GetParam().close;
  WhenDialogOpens<ui::CAdvDlg>([&, close](ui::CAdvDlg& slope) {
    shownText = slope.ControlText(res::kIdSlopeEdit);
    ownerEnabled = harness.Dialog().IsWindowEnabled();
    close(slope);
  });
  const int runsBefore = harness.Runs();
  harness.Click(res::kIdButtonSlopeParameter);
  EXPECT_EQ(shownText, "10");
  EXPECT_FALSE(ownerEnabled);
  EXPECT_TRUE(harness.Dialog().IsWindowEnabled());
  EXPECT_EQ(harness.Runs() - runsBefore, 1);
  EXPECT_EQ(harness.LastRun().slopeM, 10);
  EXPECT_EQ(harness.LastRun().paramJ, before.paramJ);
  EXPECT_EQ(harness.LastRun().valueI, before.valueI);
}

INSTANTIATE_TEST_SUITE_P(
    Closings, SlopeFromMainDialog,
    testing::Values(
        OpeningCase{"Ok", [](ui::CAdvDlg& d) { ClickButton(d, res::kIdSlopeOk); }},
        OpeningCase{"Cancel", [](ui::CAdvDlg& d) { ClickButton(d, res::kIdSlopeCancel); }},
        OpeningCase{"Escape", [](ui::CAdvDlg& d) { QTest::keyClick(d.Window(), Qt::Key_Escape); }},
        OpeningCase{"Enter", [](ui::CAdvDlg& d) { QTest::keyClick(d.Window(), Qt::Key_Return); }},
        OpeningCase{"CloseBox", [](ui::CAdvDlg& d) { d.Window()->close(); }}),
    test_support::CaseName());

}  // namespace
}  // namespace ui_test
