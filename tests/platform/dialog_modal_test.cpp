#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTest>
#include <functional>
#include <vector>

#include "platform/dialog_window.h"
#include "test_dialog.h"

namespace platform_test {
namespace {

using platform::kBnClicked;
using platform::kIdCancel;
using platform::kIdOk;
using platform::MakeCommandWord;

// Runs modally and, while initialising, posts a key to its own window: the key
// arrives once the modal loop runs and ends it, so no test blocks.
class SelfEndingDialog : public RecordingDialog {
 public:
  explicit SelfEndingDialog(Qt::Key key) : key_(key) {}

  std::function<void()> duringInit;
  bool visibleAtClosing = false;

 protected:
  bool OnInitDialog() override {
    if (duringInit) {
      duringInit();
    }
    QCoreApplication::postEvent(Window(), new QKeyEvent(QEvent::KeyPress, key_, Qt::NoModifier));
    return RecordingDialog::OnInitDialog();
  }

  bool OnCommand(std::uint32_t commandWord) override {
    RecordingDialog::OnCommand(commandWord);
    visibleAtClosing = IsWindowVisible();
    return true;
  }

 private:
  Qt::Key key_;
};

struct ModalCase {
  Qt::Key key;
  int result;
};

class ModalLoops : public testing::TestWithParam<ModalCase> {};

TEST_P(ModalLoops, RunUntilOkOrCancelAndFinishTheCommandFirst) {
  SelfEndingDialog dialog(GetParam().key);
  EXPECT_EQ(dialog.DoModal(), GetParam().result);
  EXPECT_EQ(dialog.initCount, 1);
  EXPECT_EQ(dialog.commands,
            std::vector<std::uint32_t>{MakeCommandWord(GetParam().result, kBnClicked)});
  EXPECT_EQ(dialog.closingSteps, 1);
  EXPECT_EQ(dialog.windowAliveAtClosing, std::vector<bool>{true});
  EXPECT_TRUE(dialog.visibleAtClosing);
  EXPECT_FALSE(dialog.HasWindow());
}

INSTANTIATE_TEST_SUITE_P(Endings, ModalLoops,
                         testing::Values(ModalCase{Qt::Key_Return, kIdOk},
                                         ModalCase{Qt::Key_Escape, kIdCancel}));

TEST(ModalLoops, CanRunAgainWithAFreshWindow) {
  SelfEndingDialog dialog(Qt::Key_Escape);
  EXPECT_EQ(dialog.DoModal(), kIdCancel);
  EXPECT_EQ(dialog.DoModal(), kIdCancel);
  EXPECT_EQ(dialog.initCount, 2);
}

class EndsWhileInitialising : public RecordingDialog {
 protected:
  bool OnInitDialog() override {
    RecordingDialog::OnInitDialog();
    EndDialog(kEndResult);
    return true;
  }

 public:
  static constexpr int kEndResult = 42;
};

TEST(ModalLoops, EndingDuringInitialisationNeverShowsTheDialog) {
  EndsWhileInitialising dialog;
  EXPECT_EQ(dialog.DoModal(), EndsWhileInitialising::kEndResult);
  EXPECT_EQ(dialog.initCount, 1);
  EXPECT_EQ(dialog.PaintCount(), 0);
}

TEST(ModalLoops, ANestedDialogDisablesItsOwnerWhileOpen) {
  RecordingDialog owner;
  SelfEndingDialog nested(Qt::Key_Escape);
  std::vector<bool> ownerEnabledDuringNested;
  nested.duringInit = [&] { ownerEnabledDuringNested.push_back(owner.IsWindowEnabled()); };
  int nestedResult = 0;
  owner.MapClicked(kApplyId, [&] { nestedResult = nested.DoModal(); });
  owner.Create();

  QTest::mouseClick(owner.Window()->Control(kApplyId), Qt::LeftButton);

  EXPECT_EQ(ownerEnabledDuringNested, std::vector<bool>{false});
  EXPECT_EQ(nestedResult, kIdCancel);
  EXPECT_TRUE(owner.IsWindowEnabled());
  EXPECT_TRUE(owner.IsWindowVisible());
  // The owner's command finishes after the nested dialog closed.
  EXPECT_EQ(owner.commands, std::vector<std::uint32_t>{MakeCommandWord(kApplyId, kBnClicked)});
  EXPECT_EQ(owner.closingSteps, 1);
}

}  // namespace
}  // namespace platform_test
