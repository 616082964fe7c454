#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <map>
#include <string>
#include <vector>

#include "platform/button_face.h"
#include "platform/dialog_window.h"
#include "test_dialog.h"
#include "tests/support/case_name.h"

namespace platform_test {
namespace {

using platform::kChecked;
using platform::kUnchecked;

void Click(RecordingDialog& dialog, int id, QPoint where = {}) {
  QWidget* control = dialog.Window()->Control(id);
  QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier,
                    where.isNull() ? control->rect().center() : where);
}

constexpr std::array<int, 6> kRadioIds = {kOuterRadioA, kOuterRadioB, kInnerRadioA,
                                          kInnerRadioB, kLooseRadioA, kLooseRadioB};

struct RadioCase {
  std::string name;
  std::vector<int> clicks;
  std::vector<int> checked;  // every other radio button is clear
};

class RadioClicks : public testing::TestWithParam<RadioCase> {};

TEST_P(RadioClicks, AreExclusiveWithinTheInnermostGroupBoxOnly) {
  RecordingDialog dialog;
  dialog.Create();
  for (int id : GetParam().clicks) {
    Click(dialog, id);
  }
  for (int id : kRadioIds) {
    const bool expected = std::find(GetParam().checked.begin(), GetParam().checked.end(), id) !=
                          GetParam().checked.end();
    EXPECT_EQ(dialog.GetCheck(id), expected ? kChecked : kUnchecked) << "radio " << id;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, RadioClicks,
    testing::Values(
        RadioCase{"OneClickChecks", {kOuterRadioA}, {kOuterRadioA}},
        RadioCase{"SecondOfAGroupClearsTheFirst", {kOuterRadioA, kOuterRadioB}, {kOuterRadioB}},
        RadioCase{
            "NestedBoxIsItsOwnGroup", {kOuterRadioA, kInnerRadioB}, {kOuterRadioA, kInnerRadioB}},
        RadioCase{"OuterClickLeavesNestedAlone",
                  {kInnerRadioA, kOuterRadioA, kOuterRadioB},
                  {kInnerRadioA, kOuterRadioB}},
        RadioCase{"InnerPair", {kInnerRadioA, kInnerRadioB}, {kInnerRadioB}},
        RadioCase{"ButtonsOutsideBoxesFormOneGroup",
                  {kLooseRadioA, kLooseRadioB, kLooseRadioA},
                  {
                      kLooseRadioA,
                  }},
        RadioCase{
            "ClickingTheCheckedOneKeepsItChecked", {kOuterRadioB, kOuterRadioB}, {kOuterRadioB}},
        RadioCase{"EveryGroupKeepsItsOwnChoice",
                  {kOuterRadioB, kInnerRadioA, kLooseRadioB},
                  {kOuterRadioB, kInnerRadioA, kLooseRadioB}}),
    test_support::CaseName());

TEST(RadioButtons, CheckedFromCodeTouchOnlyThemselves) {
  RecordingDialog dialog;
  dialog.Create();
  dialog.SetCheck(kOuterRadioA, kChecked);
  dialog.SetCheck(kOuterRadioB, kChecked);
  EXPECT_EQ(dialog.GetCheck(kOuterRadioA), kChecked);
  EXPECT_EQ(dialog.GetCheck(kOuterRadioB), kChecked);
  dialog.SetCheck(kOuterRadioA, kUnchecked);
  EXPECT_EQ(dialog.GetCheck(kOuterRadioA), kUnchecked);
  EXPECT_EQ(dialog.GetCheck(kOuterRadioB), kChecked);
  EXPECT_TRUE(dialog.commands.empty());
}

TEST(RadioButtons, EveryClickIsACommand) {
  RecordingDialog dialog;
  dialog.Create();
  Click(dialog, kInnerRadioA);
  Click(dialog, kInnerRadioA);
  const std::vector<std::uint32_t> expected(
      2, platform::MakeCommandWord(kInnerRadioA, platform::kBnClicked));
  EXPECT_EQ(dialog.commands, expected);
}

TEST(CheckBoxes, ToggleOnEveryClickAndRaiseAClick) {
  RecordingDialog dialog;
  dialog.Create();
  const std::vector<int> states = {kChecked, kUnchecked, kChecked};
  for (int expected : states) {
    Click(dialog, kCheckBoxId);
    EXPECT_EQ(dialog.GetCheck(kCheckBoxId), expected);
  }
  const std::vector<std::uint32_t> commands(
      3, platform::MakeCommandWord(kCheckBoxId, platform::kBnClicked));
  EXPECT_EQ(dialog.commands, commands);
}

TEST(CheckBoxes, ToggleWhenClickedAnywhereInTheirRectangle) {
  RecordingDialog dialog;
  dialog.Create();
  Click(dialog, kLeftTextCheckBoxId, QPoint(1, 1));
  EXPECT_EQ(dialog.GetCheck(kLeftTextCheckBoxId), kChecked);
  dialog.SetCheck(kLeftTextCheckBoxId, kUnchecked);
  EXPECT_EQ(dialog.GetCheck(kLeftTextCheckBoxId), kUnchecked);
  EXPECT_EQ(dialog.commands.size(), 1u);
}

// The leftmost column, right of the box, holding a dark pixel of the caption.
int FirstTextColumn(QWidget* button, int boxWidth) {
  const QImage image = button->grab().toImage();
  for (int x = boxWidth + 1; x < image.width(); ++x) {
    for (int y = 0; y < image.height(); ++y) {
      if (image.pixelColor(x, y).lightness() < 100) {
        return x;
      }
    }
  }
  return image.width();
}

TEST(RadioButtons, RightAlignedTextEndsAtTheRightEdge) {
  RecordingDialog dialog;
  dialog.Create();
  QWidget* right = dialog.Window()->Control(kOuterRadioA);
  QWidget* left = dialog.Window()->Control(kOuterRadioB);
  EXPECT_GT(FirstTextColumn(right, platform::kIndicatorSide), right->width() / 2);
  EXPECT_LT(FirstTextColumn(left, platform::kIndicatorSide), left->width() / 2);
}

TEST(CheckBoxes, LeftTextPutsTheBoxAtTheRight) {
  RecordingDialog dialog;
  dialog.Create();
  QWidget* box = dialog.Window()->Control(kLeftTextCheckBoxId);
  const QImage image = box->grab().toImage();
  const QColor background = image.pixelColor(0, 0);
  int boxPixels = 0;
  for (int x = 0; x < box->width(); ++x) {
    for (int y = 0; y < image.height(); ++y) {
      const bool inBox = x >= box->width() - platform::kIndicatorSide;
      if (!inBox) {
        ASSERT_EQ(image.pixelColor(x, y), background) << x << ", " << y;
      }
      boxPixels += inBox && image.pixelColor(x, y) != background ? 1 : 0;
    }
  }
  EXPECT_GT(boxPixels, platform::kIndicatorSide);
}

TEST(Labels, ShowADoubledAmpersandAsOneAndKeepTheirCaption) {
  RecordingDialog dialog;
  dialog.Create();
  const auto* label = dialog.Window()->ControlAs<QLabel>(kAmpersandLabelId);
  EXPECT_EQ(label->text(), QStringLiteral("R & R'"));
  EXPECT_EQ(dialog.ControlText(kAmpersandLabelId), "R && R'");
  EXPECT_TRUE(label->alignment().testFlag(Qt::AlignLeft));
  dialog.SetControlText(kAmpersandLabelId, "E && T");
  EXPECT_EQ(label->text(), QStringLiteral("E & T"));
  EXPECT_TRUE(dialog.commands.empty());
}

struct TextCase {
  int id;
  std::string text;
};

class ControlTexts : public testing::TestWithParam<TextCase> {};

TEST_P(ControlTexts, ReadBackWhatWasSet) {
  RecordingDialog dialog;
  dialog.Create();
  dialog.SetControlText(GetParam().id, GetParam().text);
  EXPECT_EQ(dialog.ControlText(GetParam().id), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ControlTexts,
                         testing::Values(TextCase{kBuddyLabelId, "0.50"}, TextCase{kApplyId, "Go"},
                                         TextCase{kCheckBoxId, "Hide"},
                                         TextCase{kInnerBoxId, "Median"}, TextCase{kEditId, "100"},
                                         TextCase{kReadOnlyEditId, "10"}));

TEST(Controls, EnableAndDisableOneByOne) {
  RecordingDialog dialog;
  dialog.Create();
  EXPECT_TRUE(dialog.IsControlEnabled(kTrackbarId));
  dialog.EnableControl(kTrackbarId, false);
  EXPECT_FALSE(dialog.IsControlEnabled(kTrackbarId));
  EXPECT_TRUE(dialog.IsControlEnabled(kBuddyLabelId));
  dialog.EnableControl(kTrackbarId, true);
  EXPECT_TRUE(dialog.IsControlEnabled(kTrackbarId));
  EXPECT_FALSE(dialog.IsControlEnabled(12345));
}

TEST(Controls, StayEnabledWhileTheirWindowIsDisabled) {
  RecordingDialog dialog;
  dialog.Create();
  dialog.EnableControl(kApplyId, false);
  dialog.EnableWindow(false);
  EXPECT_TRUE(dialog.IsControlEnabled(kEditId));
  EXPECT_FALSE(dialog.IsControlEnabled(kApplyId));
  dialog.EnableWindow(true);
  EXPECT_TRUE(dialog.IsControlEnabled(kEditId));
  EXPECT_FALSE(dialog.IsControlEnabled(kApplyId));
}

TEST(Controls, ADisabledButtonIgnoresClicks) {
  RecordingDialog dialog;
  dialog.Create();
  dialog.EnableControl(kCheckBoxId, false);
  Click(dialog, kCheckBoxId);
  EXPECT_EQ(dialog.GetCheck(kCheckBoxId), kUnchecked);
  EXPECT_TRUE(dialog.commands.empty());
}

TEST(Edits, AReadOnlyEditTakesNoTyping) {
  RecordingDialog dialog;
  dialog.Create();
  dialog.SetControlText(kReadOnlyEditId, "10");
  dialog.commands.clear();
  QTest::keyClicks(dialog.Window()->Control(kReadOnlyEditId), "57");
  EXPECT_EQ(dialog.ControlText(kReadOnlyEditId), "10");
  EXPECT_TRUE(dialog.commands.empty());
}

TEST(Edits, FocusAndSelectAllSelectsTheWholeText) {
  RecordingDialog dialog;
  dialog.Create();
  dialog.SetControlText(kReadOnlyEditId, "12345");
  dialog.FocusAndSelectAll(kReadOnlyEditId);
  const auto* edit = dialog.Window()->ControlAs<QLineEdit>(kReadOnlyEditId);
  EXPECT_EQ(edit->selectedText(), QStringLiteral("12345"));
  EXPECT_EQ(dialog.Window()->focusWidget(), edit);
}

TEST(Controls, UnknownIdsAndMissingWindowsAreHarmless) {
  RecordingDialog dialog;
  dialog.SetControlText(kEditId, "x");
  dialog.SetCheck(kCheckBoxId, kChecked);
  EXPECT_EQ(dialog.ControlText(kEditId), "");
  EXPECT_EQ(dialog.GetCheck(kCheckBoxId), kUnchecked);
  EXPECT_EQ(dialog.TrackbarPos(kTrackbarId), 0);
  EXPECT_EQ(dialog.PaintCount(), 0);
  dialog.Create();
  dialog.SetControlText(12345, "x");
  EXPECT_EQ(dialog.ControlText(12345), "");
  EXPECT_TRUE(dialog.commands.empty());
}

}  // namespace
}  // namespace platform_test
