#include <gtest/gtest.h>

#include "platform/dialog_window.h"
#include "platform/trackbar.h"
#include "test_dialog.h"

namespace platform_test {
namespace {

TEST(TrackbarFromCode, RangeAndPositionAreClampedAndRaiseNothing) {
  RecordingDialog dialog;
  dialog.Create();
  dialog.SetTrackbarRange(kTrackbarId, -100, 100, false);
  EXPECT_EQ(dialog.TrackbarMin(kTrackbarId), -100);
  EXPECT_EQ(dialog.TrackbarMax(kTrackbarId), 100);
  dialog.SetTrackbarPos(kTrackbarId, 150, true);
  EXPECT_EQ(dialog.TrackbarPos(kTrackbarId), 100);
  dialog.SetTrackbarPos(kTrackbarId, -101, true);
  EXPECT_EQ(dialog.TrackbarPos(kTrackbarId), -100);
  dialog.SetTrackbarPos(kTrackbarId, 35, false);
  EXPECT_EQ(dialog.TrackbarPos(kTrackbarId), 35);
  dialog.SetTrackbarRange(kTrackbarId, 0, 20, true);
  EXPECT_EQ(dialog.TrackbarPos(kTrackbarId), 20);
  dialog.SetTrackbarRange(kTrackbarId, 100, 200, false);
  EXPECT_EQ(dialog.TrackbarPos(kTrackbarId), 100);
  EXPECT_TRUE(dialog.scrolls.empty());
  EXPECT_TRUE(dialog.commands.empty());
}

TEST(TrackbarFromCode, ThePageFollowsTheRange) {
  RecordingDialog dialog;
  dialog.Create();
  auto* trackbar = dialog.Window()->ControlAs<platform::Trackbar>(kTrackbarId);
  dialog.SetTrackbarRange(kTrackbarId, 0, 35, false);
  EXPECT_EQ(trackbar->PageSize(), 7);
  dialog.SetTrackbarRange(kTrackbarId, -100, 100, false);
  EXPECT_EQ(trackbar->PageSize(), 40);
}

TEST(TrackbarBuddy, SitsAtTheRightEndCentredOnTheTrackbar) {
  RecordingDialog dialog;
  dialog.Create();
  EXPECT_EQ(dialog.TrackbarBuddy(kTrackbarId), 0);
  EXPECT_EQ(dialog.SetTrackbarBuddy(kTrackbarId, kBuddyLabelId), 0);
  EXPECT_EQ(dialog.TrackbarBuddy(kTrackbarId), kBuddyLabelId);
  const QRect trackbar = dialog.Window()->Control(kTrackbarId)->geometry();
  const QRect buddy = dialog.Window()->Control(kBuddyLabelId)->geometry();
  EXPECT_EQ(buddy.left(), trackbar.left() + trackbar.width());
  EXPECT_EQ(buddy.top(), trackbar.top() + (trackbar.height() - buddy.height()) / 2);
  // The label keeps its size: 20 x 8 DU.
  EXPECT_EQ(buddy.size(), QSize(30, 13));
}

TEST(TrackbarBuddy, CanBeDetached) {
  RecordingDialog dialog;
  dialog.Create();
  dialog.SetTrackbarBuddy(kTrackbarId, kBuddyLabelId);
  EXPECT_EQ(dialog.SetTrackbarBuddy(kTrackbarId, 0), kBuddyLabelId);
  EXPECT_EQ(dialog.TrackbarBuddy(kTrackbarId), 0);
  EXPECT_EQ(dialog.TrackbarBuddy(kWideTrackbarId), 0);
  EXPECT_EQ(dialog.TrackbarBuddy(kEditId), 0);
}

}  // namespace
}  // namespace platform_test
