#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <string>
#include <vector>

#include "platform/dialog_window.h"
#include "platform/trackbar.h"
#include "test_dialog.h"
#include "tests/support/case_name.h"

namespace platform_test {
namespace {

using platform::kTbEndTrack;

struct KeyCase {
  std::string name;
  Qt::Key key;
  int minimum;
  int maximum;
  int start;
  int code;
  int end;
};

class TrackbarKeys : public testing::TestWithParam<KeyCase> {};

// Each key press moves the thumb and reports its step; the release reports
// the end of tracking.
TEST_P(TrackbarKeys, ReportTheStepThenEndTrack) {
  const KeyCase& key = GetParam();
  RecordingDialog dialog;
  dialog.Create();
  dialog.SetTrackbarRange(kTrackbarId, key.minimum, key.maximum, false);
  dialog.SetTrackbarPos(kTrackbarId, key.start, true);
  QTest::keyClick(dialog.Window()->Control(kTrackbarId), key.key);
  const std::vector<ScrollEvent> expected = {{key.code, key.end, kTrackbarId},
                                             {kTbEndTrack, key.end, kTrackbarId}};
  EXPECT_EQ(dialog.scrolls, expected);
  EXPECT_EQ(dialog.TrackbarPos(kTrackbarId), key.end);
  EXPECT_TRUE(dialog.commands.empty());
}

// Range 0..10 has a page of 2; -100..100 a page of 40.
INSTANTIATE_TEST_SUITE_P(
    Keys, TrackbarKeys,
    testing::Values(
        KeyCase{"Left", Qt::Key_Left, 0, 10, 5, platform::kTbLineUp, 4},
        KeyCase{"Up", Qt::Key_Up, 0, 10, 5, platform::kTbLineUp, 4},
        KeyCase{"Right", Qt::Key_Right, 0, 10, 5, platform::kTbLineDown, 6},
        KeyCase{"Down", Qt::Key_Down, 0, 10, 5, platform::kTbLineDown, 6},
        KeyCase{"PageUp", Qt::Key_PageUp, 0, 10, 5, platform::kTbPageUp, 3},
        KeyCase{"PageDown", Qt::Key_PageDown, 0, 10, 5, platform::kTbPageDown, 7},
        KeyCase{"Home", Qt::Key_Home, 0, 10, 5, platform::kTbTop, 0},
        KeyCase{"End", Qt::Key_End, 0, 10, 5, platform::kTbBottom, 10},
        KeyCase{"LeftAtMinimum", Qt::Key_Left, 0, 10, 0, platform::kTbLineUp, 0},
        KeyCase{"RightAtMaximum", Qt::Key_Right, 0, 10, 10, platform::kTbLineDown, 10},
        KeyCase{"PageDownClamped", Qt::Key_PageDown, 0, 10, 9, platform::kTbPageDown, 10},
        KeyCase{"PageUpClamped", Qt::Key_PageUp, -100, 100, -90, platform::kTbPageUp, -100},
        KeyCase{"PageDownWide", Qt::Key_PageDown, -100, 100, 0, platform::kTbPageDown, 40},
        KeyCase{"HomeNegative", Qt::Key_Home, -100, 100, 30, platform::kTbTop, -100},
        KeyCase{"EndOffset", Qt::Key_End, 100, 200, 150, platform::kTbBottom, 200}),
    test_support::CaseName());

TEST(TrackbarKeys, OtherKeysReportNothing) {
  RecordingDialog dialog;
  dialog.Create();
  dialog.SetTrackbarRange(kTrackbarId, 0, 10, false);
  dialog.SetTrackbarPos(kTrackbarId, 5, true);
  QWidget* trackbar = dialog.Window()->Control(kTrackbarId);
  QTest::keyClick(trackbar, Qt::Key_A);
  QTest::keyClick(trackbar, Qt::Key_Plus);
  QTest::keyClick(trackbar, Qt::Key_Space);
  EXPECT_TRUE(dialog.scrolls.empty());
  EXPECT_EQ(dialog.TrackbarPos(kTrackbarId), 5);
}

TEST(TrackbarKeys, HeldKeysStepOnEveryRepeatAndEndOnce) {
  RecordingDialog dialog;
  dialog.Create();
  dialog.SetTrackbarRange(kTrackbarId, 0, 10, false);
  dialog.SetTrackbarPos(kTrackbarId, 5, true);
  QWidget* trackbar = dialog.Window()->Control(kTrackbarId);
  QTest::keyPress(trackbar, Qt::Key_Right);
  QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, QString(), true);
  QApplication::sendEvent(trackbar, &repeatRelease);
  QKeyEvent repeatPress(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
  QApplication::sendEvent(trackbar, &repeatPress);
  QTest::keyRelease(trackbar, Qt::Key_Right);
  const std::vector<ScrollEvent> expected = {{platform::kTbLineDown, 6, kTrackbarId},
                                             {platform::kTbLineDown, 7, kTrackbarId},
                                             {kTbEndTrack, 7, kTrackbarId}};
  EXPECT_EQ(dialog.scrolls, expected);
}

TEST(TrackbarKeys, ADisabledTrackbarTakesNoKeys) {
  RecordingDialog dialog;
  dialog.Create();
  dialog.SetTrackbarRange(kTrackbarId, 0, 10, false);
  dialog.EnableControl(kTrackbarId, false);
  QTest::keyClick(dialog.Window()->Control(kTrackbarId), Qt::Key_Right);
  EXPECT_TRUE(dialog.scrolls.empty());
  EXPECT_EQ(dialog.TrackbarPos(kTrackbarId), 0);
}

}  // namespace
}  // namespace platform_test
