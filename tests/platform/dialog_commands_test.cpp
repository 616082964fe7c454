#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <string>
#include <vector>

#include "platform/dialog_window.h"
#include "test_dialog.h"
#include "tests/support/case_name.h"

namespace platform_test {
namespace {

using platform::kBnClicked;
using platform::kEnChange;
using platform::kEnUpdate;
using platform::kIdCancel;
using platform::kIdOk;
using platform::MakeCommandWord;

TEST(CommandWords, PutTheIdLowAndTheNotificationHigh) {
  EXPECT_EQ(MakeCommandWord(kIdOk, kBnClicked), 0x00000001u);
  EXPECT_EQ(MakeCommandWord(1002, kEnChange), 0x030003EAu);
  EXPECT_EQ(MakeCommandWord(1003, kEnUpdate), 0x040003EBu);
  EXPECT_EQ(platform::CommandId(0x030003EAu), 1002);
  EXPECT_EQ(platform::NotificationCode(0x030003EAu), kEnChange);
  EXPECT_EQ(platform::CommandId(MakeCommandWord(-1, kBnClicked)), 0xFFFF);
}

struct KeyCommand {
  std::string name;
  int focusId;
  Qt::Key key;
  std::uint32_t command;
  bool ends;
};

class KeyCommands : public testing::TestWithParam<KeyCommand> {};

// Enter presses the default button unless a push button has the focus;
// Escape is Cancel wherever the focus is.
TEST_P(KeyCommands, BecomeTheRightCommand) {
  RecordingDialog dialog;
  dialog.Create();
  QWidget* focus = dialog.Window()->Control(GetParam().focusId);
  focus->setFocus();
  QTest::keyClick(focus, GetParam().key);
  EXPECT_EQ(dialog.commands, std::vector<std::uint32_t>{GetParam().command});
  EXPECT_EQ(!dialog.IsWindowVisible(), GetParam().ends);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyCommands,
    testing::Values(KeyCommand{"EnterInEdit", kEditId, Qt::Key_Return,
                               MakeCommandWord(kIdOk, kBnClicked), true},
                    KeyCommand{"KeypadEnterOnCheckBox", kCheckBoxId, Qt::Key_Enter,
                               MakeCommandWord(kIdOk, kBnClicked), true},
                    KeyCommand{"EnterOnTrackbar", kTrackbarId, Qt::Key_Return,
                               MakeCommandWord(kIdOk, kBnClicked), true},
                    KeyCommand{"EnterOnFocusedButton", kApplyId, Qt::Key_Return,
                               MakeCommandWord(kApplyId, kBnClicked), false},
                    KeyCommand{"EscapeInEdit", kEditId, Qt::Key_Escape,
                               MakeCommandWord(kIdCancel, kBnClicked), true},
                    KeyCommand{"EscapeOnTrackbar", kTrackbarId, Qt::Key_Escape,
                               MakeCommandWord(kIdCancel, kBnClicked), true}),
    test_support::CaseName());

TEST(Commands, OkAndCancelEndTheDialogWithTheirIds) {
  RecordingDialog ok;
  ok.Create();
  QTest::keyClick(ok.Window()->Control(kEditId), Qt::Key_Return);
  EXPECT_EQ(ok.Result(), kIdOk);
  RecordingDialog cancel;
  cancel.Create();
  QTest::keyClick(cancel.Window()->Control(kEditId), Qt::Key_Escape);
  EXPECT_EQ(cancel.Result(), kIdCancel);
}

TEST(Commands, EnterDoesNothingWhileTheDefaultButtonIsDisabled) {
  RecordingDialog dialog;
  dialog.Create();
  dialog.EnableControl(kIdOk, false);
  QTest::keyClick(dialog.Window()->Control(kEditId), Qt::Key_Return);
  EXPECT_TRUE(dialog.commands.empty());
  EXPECT_TRUE(dialog.IsWindowVisible());
}

TEST(Commands, TheCloseBoxIsCancel) {
  RecordingDialog dialog;
  dialog.Create();
  dialog.Window()->close();
  EXPECT_EQ(dialog.commands, std::vector<std::uint32_t>{MakeCommandWord(kIdCancel, kBnClicked)});
  EXPECT_EQ(dialog.Result(), kIdCancel);
  EXPECT_FALSE(dialog.IsWindowVisible());
}

struct ButtonClick {
  int id;
  bool ends;
};

class ButtonClicks : public testing::TestWithParam<ButtonClick> {};

TEST_P(ButtonClicks, BecomeClickCommands) {
  RecordingDialog dialog;
  dialog.Create();
  QTest::mouseClick(dialog.Window()->Control(GetParam().id), Qt::LeftButton);
  EXPECT_EQ(dialog.commands,
            std::vector<std::uint32_t>{MakeCommandWord(GetParam().id, kBnClicked)});
  EXPECT_EQ(!dialog.IsWindowVisible(), GetParam().ends);
}

INSTANTIATE_TEST_SUITE_P(Buttons, ButtonClicks,
                         testing::Values(ButtonClick{kIdOk, true}, ButtonClick{kIdCancel, true},
                                         ButtonClick{kApplyId, false}));

TEST(Commands, RegisteredHandlersRunForTheirIdAndNotificationOnly) {
  RecordingDialog dialog;
  int applied = 0;
  int changed = 0;
  dialog.MapClicked(kApplyId, [&applied] { ++applied; });
  dialog.MapCommand(kEditId, kEnChange, [&changed] { ++changed; });
  dialog.Create();
  QTest::mouseClick(dialog.Window()->Control(kApplyId), Qt::LeftButton);
  QTest::mouseClick(dialog.Window()->Control(kCheckBoxId), Qt::LeftButton);
  dialog.SetControlText(kEditId, "5");
  EXPECT_EQ(applied, 1);
  EXPECT_EQ(changed, 1);
}

TEST(Commands, AHandlerForOkReplacesTheEnding) {
  RecordingDialog dialog;
  int okHandled = 0;
  dialog.MapClicked(kIdOk, [&okHandled] { ++okHandled; });
  dialog.Create();
  QTest::keyClick(dialog.Window()->Control(kEditId), Qt::Key_Return);
  EXPECT_EQ(okHandled, 1);
  EXPECT_TRUE(dialog.IsWindowVisible());
}

TEST(Commands, ClosingStepsRunOnceAfterOkAndCancelWithTheWindowAlive) {
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
    RecordingDialog dialog;
    dialog.Create();
    QTest::keyClick(dialog.Window()->Control(kEditId), key);
    EXPECT_EQ(dialog.closingSteps, 1);
    EXPECT_EQ(dialog.windowAliveAtClosing, std::vector<bool>{true});
  }
}

TEST(EditNotifications, SettingAnEditsTextRaisesUpdateThenChange) {
  RecordingDialog dialog;
  dialog.Create();
  dialog.SetControlText(kReadOnlyEditId, "100");
  const std::vector<std::uint32_t> expected = {MakeCommandWord(kReadOnlyEditId, kEnUpdate),
                                               MakeCommandWord(kReadOnlyEditId, kEnChange)};
  EXPECT_EQ(dialog.commands, expected);
  EXPECT_EQ(dialog.closingSteps, 2);
}

TEST(EditNotifications, SettingTheSameTextAgainRaisesThemAgain) {
  RecordingDialog dialog;
  dialog.Create();
  dialog.SetControlText(kEditId, "7");
  dialog.SetControlText(kEditId, "7");
  EXPECT_EQ(dialog.commands.size(), 4u);
}

TEST(EditNotifications, OtherControlsRaiseNothingWhenTheirTextIsSet) {
  RecordingDialog dialog;
  dialog.Create();
  dialog.SetControlText(kBuddyLabelId, "0.50");
  dialog.SetControlText(kApplyId, "Again");
  dialog.SetControlText(kCheckBoxId, "Hide");
  dialog.SetControlText(kInnerBoxId, "Median");
  EXPECT_TRUE(dialog.commands.empty());
}

TEST(EditNotifications, TypingRaisesTheSamePairForEveryChange) {
  RecordingDialog dialog;
  dialog.Create();
  QTest::keyClicks(dialog.Window()->Control(kEditId), "42");
  const std::vector<std::uint32_t> expected = {
      MakeCommandWord(kEditId, kEnUpdate), MakeCommandWord(kEditId, kEnChange),
      MakeCommandWord(kEditId, kEnUpdate), MakeCommandWord(kEditId, kEnChange)};
  EXPECT_EQ(dialog.commands, expected);
  EXPECT_EQ(dialog.ControlText(kEditId), "42");
}

// A dialog that sets its edits' text while initialising, as the main dialog does.
class InitialisingDialog : public RecordingDialog {
 protected:
  bool OnInitDialog() override {
    SetControlText(kReadOnlyEditId, "100");
    visibleDuringInit = IsWindowVisible();
    return RecordingDialog::OnInitDialog();
  }

 public:
  bool visibleDuringInit = true;
};

TEST(EditNotifications, ReachOnCommandDuringInitialisation) {
  InitialisingDialog dialog;
  dialog.Create();
  EXPECT_FALSE(dialog.visibleDuringInit);
  EXPECT_EQ(dialog.initCount, 1);
  const std::vector<std::uint32_t> expected = {MakeCommandWord(kReadOnlyEditId, kEnUpdate),
                                               MakeCommandWord(kReadOnlyEditId, kEnChange)};
  EXPECT_EQ(dialog.commands, expected);
  EXPECT_TRUE(dialog.IsWindowVisible());
}

}  // namespace
}  // namespace platform_test
