// Tooltips: the seed of the run on screen over the graph, and what each
// trackbar sets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/runner.h"
#include "platform/dialog_window.h"
#include "res/control_ids.h"
#include "tests/support/case_name.h"
#include "tests/ui/graph_menu_driver.h"
#include "tests/ui/main_dialog_harness.h"
#include "tests/ui/temporary_current_directory.h"
#include "ui/seed_tool_tip.h"
#include "ui/slider_table.h"
#include "ui/slider_tool_tips.h"
#include "ui/value_label_text.h"

namespace ui_test {
namespace {

// QToolTip::hideText lets the tip fade out later; this takes it down now.
void TakeDownToolTip() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->inherits("QTipLabel")) {
      widget->hide();
    }
  }
}

// Focus events reach only the controls of the active window.
void Activate(MainDialogHarness& harness) {
  platform::DialogWindow* window = harness.Dialog().Window();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

// Asks the window for its tooltip at point, as the pointer resting there would.
std::string ToolTipAt(MainDialogHarness& harness, QPoint point) {
  TakeDownToolTip();
  platform::DialogWindow* window = harness.Dialog().Window();
  QHelpEvent event(QEvent::ToolTip, point, window->mapToGlobal(point));
  QApplication::sendEvent(window, &event);
  return QToolTip::isVisible() ? QToolTip::text().toStdString() : std::string();
}

// The lines after the first, "corvellan-run --seed ... \", read as a shell
// reads them and split into the runner's arguments.
std::vector<std::string> CommandArguments(const std::string& tip) {
  std::istringstream lines(tip);
  std::string line;
  std::getline(lines, line);
  std::string command;
  while (std::getline(lines, line)) {
    if (line.ends_with(" \\")) line.resize(line.size() - 2);
    command += line + ' ';
  }
  std::istringstream words(command);
  std::vector<std::string> args;
  std::string word;
  words >> word;
  EXPECT_EQ(word, "corvellan-run");
  while (words >> word) {
    args.push_back(word);
  }
  return args;
}

// Each line of the command but the last goes on in the next, as a shell's.
void ExpectWrappedCommand(const std::string& tip) {
  std::istringstream lines(tip);
  std::vector<std::string> all;
  for (std::string line; std::getline(lines, line);) all.push_back(line);
  ASSERT_GE(all.size(), 2U) << tip;
  for (std::size_t i = 1; i < all.size(); ++i) {
    EXPECT_LE(all[i].size(), 62U) << all[i];
    EXPECT_EQ(all[i].ends_with(" \\"), i + 1 < all.size()) << all[i];
  }
}

class SeedToolTip : public testing::Test {
 protected:
  MainDialogHarness harness_;
};

TEST_F(SeedToolTip, NamesTheSeedOfTheRunOnScreen) {
  for (const std::int32_t seed : {12345, -7, 2147483647}) {
    harness_.Dialog().model.fixedSeed = seed;
    harness_.Click(res::kIdRadioNormalR);
    const std::string tip = ToolTipAt(harness_, kInGraph);
    const std::string seedText = std::to_string(seed);
    EXPECT_EQ(tip.rfind("Seed " + seedText + " ", 0), 0U) << tip;
    EXPECT_NE(tip.find("corvellan-run --seed " + seedText), std::string::npos) << tip;
    ExpectWrappedCommand(tip);
  }
  EXPECT_EQ(harness_.Dialog().Window()->windowTitle().toStdString(), "Corvellan");
}

TEST_F(SeedToolTip, ThereIsNoneOverTheControls) {
  EXPECT_FALSE(ToolTipAt(harness_, kInGraph).empty());
  EXPECT_TRUE(ToolTipAt(harness_, kBelowGraph).empty());
}

TEST_F(SeedToolTip, AskingForItRunsNothing) {
  const int runsBefore = harness_.Runs();
  ToolTipAt(harness_, kInGraph);
  EXPECT_EQ(harness_.Runs(), runsBefore);
}

// The command of the tooltip repeats the run: the runner prints what the
// window saves.
TEST_F(SeedToolTip, ItsCommandRepeatsTheRunOnScreen) {
  TemporaryCurrentDirectory directory;
  MenuChooser chooser;
  harness_.Click(res::kIdRadioLogNormalT);
  EnableRPrime(harness_);
  harness_.Keys(res::kIdSliderMedianRPrime, {Qt::Key_PageDown, Qt::Key_Right});
  const std::string path = (directory.Path() / "series.csv").string();
  const SaveFileAnswer answer(path);
  ChooseFromGraphMenu(harness_, chooser, kSaveCsvItem);
  std::ifstream in(path, std::ios::binary);
  const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

  const std::string tip = ToolTipAt(harness_, kInGraph);
  ExpectWrappedCommand(tip);
  EXPECT_GE(std::count(tip.begin(), tip.end(), '\n'), 2) << "many options, several lines";
  const std::vector<std::string> args = CommandArguments(tip);
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(cli::RunCommandLine(args, out, err), cli::kExitSuccess) << err.str();
  EXPECT_EQ(out.str(), saved);
}

// The parameter each trackbar sets, as the panel names it.
const std::map<int, std::string> kParameterNames = {
    {res::kIdSliderJ, "J"},
    {res::kIdSliderX, "X"},
    {res::kIdSliderSigmaR, "R Sigma"},
    {res::kIdSliderMedianR, "R Median"},
    {res::kIdSliderSigmaI, "I Sigma"},
    {res::kIdSliderValueI, "I Value"},
    {res::kIdSliderSigmaT, "T Sigma"},
    {res::kIdSliderValueT, "T Value"},
    {res::kIdSliderSigmaE, "E Sigma"},
    {res::kIdSliderValueE, "E Value"},
    {res::kIdSliderJPrime, "J'"},
    {res::kIdSliderM, "m"},
    {res::kIdSliderSigmaRPrime, "R' Sigma"},
    {res::kIdSliderMedianRPrime, "R' Median"},
    {res::kIdSliderCountR, "R N"},
    {res::kIdSliderCountRPrime, "R' N"},
    {res::kIdSliderCorrRRPrime, "R & R'"},
    {res::kIdSliderCorrRI, "R & I"},
    {res::kIdSliderCorrRPrimeI, "R' & I"},
    {res::kIdSliderCorrET, "E & T"},
};

}  // namespace
}  // namespace ui_test

namespace ui {
void PrintTo(const SliderSpec& row, std::ostream* out) {
  *out << "trackbar " << row.trackbarId;
}
}  // namespace ui

namespace ui_test {
namespace {

class TrackbarToolTip : public testing::TestWithParam<ui::SliderSpec> {
 protected:
  MainDialogHarness harness_;
};

// "<name> — <meaning>, <lowest> to <highest>" on one line, once the trackbar
// is in use (a greyed-out one may say why on a second line).
TEST_P(TrackbarToolTip, NamesItsParameterAndRange) {
  const ui::SliderSpec& row = GetParam();
  for (const int normal :
       {res::kIdRadioNormalR, res::kIdRadioNormalI, res::kIdRadioNormalT, res::kIdRadioNormalE}) {
    harness_.Click(normal);
  }
  EnableRPrime(harness_);
  harness_.Click(res::kIdRadioNormalRPrime);
  const std::string tip = harness_.Dialog().ControlToolTip(row.trackbarId);
  ASSERT_TRUE(kParameterNames.contains(row.trackbarId));
  EXPECT_EQ(tip.rfind(kParameterNames.at(row.trackbarId) + " \u2014 ", 0), 0U) << tip;
  const std::string range = ", " + ui::ValueLabelText(row.rangeMin * row.scale, row.decimals) +
                            " to " + ui::ValueLabelText(row.rangeMax * row.scale, row.decimals);
  ASSERT_GE(tip.size(), range.size());
  EXPECT_EQ(tip.substr(tip.size() - range.size()), range) << tip;
  EXPECT_EQ(tip.find('\n'), std::string::npos) << tip;
  EXPECT_EQ(harness_.Control(row.trackbarId)->toolTip().toStdString(), tip);
}

// The control the Tab key leaves to reach control.
QWidget* TabPredecessor(QWidget* control) {
  QWidget* previous = control->previousInFocusChain();
  while (previous != control &&
         (!(previous->focusPolicy() & Qt::TabFocus) || !previous->isEnabled())) {
    previous = previous->previousInFocusChain();
  }
  return previous;
}

// Reaching a trackbar with the Tab key shows what the pointer would.
TEST_P(TrackbarToolTip, ShowsWhenTheTabKeyBringsTheFocus) {
  QWidget* trackbar = harness_.Control(GetParam().trackbarId);
  harness_.Dialog().EnableControl(GetParam().trackbarId, true);
  Activate(harness_);
  TabPredecessor(trackbar)->setFocus(Qt::OtherFocusReason);
  TakeDownToolTip();
  QTest::keyClick(harness_.Dialog().Window()->windowHandle(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), trackbar);
  ASSERT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), trackbar->toolTip());
}

INSTANTIATE_TEST_SUITE_P(EachTrackbar, TrackbarToolTip, testing::ValuesIn(ui::kSliderTable),
                         [](const testing::TestParamInfo<ui::SliderSpec>& row) {
                           return std::to_string(row.param.trackbarId);
                         });

TEST(TrackbarToolTips, TheTabKeyShowsThemOnTheWay) {
  MainDialogHarness harness;
  Activate(harness);
  QWindow* window = harness.Dialog().Window()->windowHandle();
  QWidget* start = harness.Control(res::kIdSliderJ);
  start->setFocus(Qt::OtherFocusReason);
  TakeDownToolTip();
  // Through the window: the key's release reaches the control that took the focus.
  QTest::keyClick(window, Qt::Key_Tab);
  QWidget* focused = QApplication::focusWidget();
  ASSERT_NE(focused, nullptr);
  ASSERT_NE(focused, start);
  if (focused->toolTip().isEmpty()) {
    EXPECT_FALSE(QToolTip::isVisible());
  } else {
    EXPECT_EQ(QToolTip::text(), focused->toolTip());
  }
  // Back to J with Shift+Tab: its own tooltip.
  TakeDownToolTip();
  QTest::keyClick(window, Qt::Key_Tab, Qt::ShiftModifier);
  ASSERT_EQ(QApplication::focusWidget(), start);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), start->toolTip());
}

struct CorrelationCase {
  const char* name;
  int trackbarId;
  std::vector<int> normals;  // radio buttons clicked first
  bool enabled;
  std::string reason;  // the tooltip's second line; empty for none
};

const std::string kRRPrimeReason =
    "Disabled: correlating R and R' needs a Normal Distribution for both";
const std::string kETReason = "Disabled: correlating E and T needs a Normal Distribution for both";

const CorrelationCase kCorrelationCases[] = {
    {"AtStartUp", res::kIdSliderCorrET, {}, false, kETReason},
    {"OneOfTwoNormal", res::kIdSliderCorrET, {res::kIdRadioNormalE}, false, kETReason},
    {"BothNormal", res::kIdSliderCorrET, {res::kIdRadioNormalE, res::kIdRadioNormalT}, true, ""},
    {"LogNormalIsNotNormal",
     res::kIdSliderCorrET,
     {res::kIdRadioNormalE, res::kIdRadioLogNormalT},
     false,
     kETReason},
    {"NormalAgainThenConstant",
     res::kIdSliderCorrET,
     {res::kIdRadioNormalE, res::kIdRadioNormalT, res::kIdRadioConstantT},
     false,
     kETReason},
    {"RAndRPrimeAtStartUp", res::kIdSliderCorrRRPrime, {}, false, kRRPrimeReason},
};

class CorrelationToolTip : public testing::TestWithParam<CorrelationCase> {
 protected:
  MainDialogHarness harness_;
};

// A greyed-out correlation trackbar says what brings it back; in use, it says
// only what it sets.
TEST_P(CorrelationToolTip, SaysWhyItIsGreyedOut) {
  for (const int radio : GetParam().normals) harness_.Click(radio);
  ASSERT_EQ(harness_.Enabled(GetParam().trackbarId), GetParam().enabled);
  const std::string tip = harness_.Dialog().ControlToolTip(GetParam().trackbarId);
  const std::string firstLine = tip.substr(0, tip.find('\n'));
  EXPECT_EQ(firstLine, ui::SliderToolTipText(GetParam().trackbarId));
  const std::string rest = firstLine.size() < tip.size() ? tip.substr(firstLine.size() + 1) : "";
  EXPECT_EQ(rest, GetParam().reason);
  EXPECT_EQ(harness_.Control(GetParam().trackbarId)->toolTip().toStdString(), tip);
}

INSTANTIATE_TEST_SUITE_P(Cases, CorrelationToolTip, testing::ValuesIn(kCorrelationCases),
                         test_support::CaseName());

// The pointer over the greyed-out trackbar shows the reason.
TEST(CorrelationToolTips, ShowOverTheGreyedOutTrackbar) {
  MainDialogHarness harness;
  QWidget* trackbar = harness.Control(res::kIdSliderCorrRI);
  ASSERT_FALSE(trackbar->isEnabled());
  TakeDownToolTip();
  QHelpEvent event(QEvent::ToolTip, trackbar->rect().center(),
                   trackbar->mapToGlobal(trackbar->rect().center()));
  QApplication::sendEvent(trackbar, &event);
  ASSERT_TRUE(QToolTip::isVisible());
  EXPECT_NE(QToolTip::text().toStdString().find("Disabled: correlating R and I needs a Normal"),
            std::string::npos);
}

TEST(DumpDataToolTip, SaysWhatItNeedsAndHowToMakeIt) {
  MainDialogHarness harness;
  const std::string tip = harness.Dialog().ControlToolTip(res::kIdButtonDumpData);
  for (const char* part : {"Graph.bmp", "current folder", "640 \u00d7 340 8-bit",
                           "corvellan-run --new-overlay Graph.bmp"}) {
    EXPECT_NE(tip.find(part), std::string::npos) << part;
  }
}

struct WrapCase {
  const char* name;
  std::string command;
  std::string wrapped;
};

const WrapCase kWrapCases[] = {
    {"Short", "corvellan-run --seed 5", "corvellan-run --seed 5"},
    {"OptionStaysWithItsValue",
     "corvellan-run --seed 123456789 --medianR 0.35000000000000003 --paramX -0.5",
     "corvellan-run --seed 123456789 --medianR 0.35000000000000003 \\\n  --paramX -0.5"},
    {"NegativeValueIsAValue",
     "corvellan-run --seed -2147483648 --corrRRPrime -0.25 --corrRI -0.75 --corrET -1",
     "corvellan-run --seed -2147483648 --corrRRPrime -0.25 \\\n  --corrRI -0.75 --corrET -1"},
};

class WrapCommandCase : public testing::TestWithParam<WrapCase> {};

TEST_P(WrapCommandCase, BreaksAsAShellContinuesLines) {
  EXPECT_EQ(ui::WrapCommand(GetParam().command), GetParam().wrapped);
}

INSTANTIATE_TEST_SUITE_P(Cases, WrapCommandCase, testing::ValuesIn(kWrapCases),
                         test_support::CaseName());

}  // namespace
}  // namespace ui_test
