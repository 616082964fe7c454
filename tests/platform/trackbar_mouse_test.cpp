#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <vector>

#include "platform/dialog_window.h"
#include "platform/trackbar.h"
#include "test_dialog.h"

namespace platform_test {
namespace {

using platform::kTbEndTrack;
using platform::kTbThumbPosition;
using platform::kTbThumbTrack;
using platform::Trackbar;

constexpr int kMaximum = 10;

class TrackbarMouse : public testing::Test {
 protected:
  void SetUp() override {
    dialog_.Create();
    dialog_.SetTrackbarRange(kWideTrackbarId, 0, kMaximum, false);
    trackbar_ = dialog_.Window()->ControlAs<Trackbar>(kWideTrackbarId);
  }

  void Move(QPoint to) {
    QMouseEvent move(QEvent::MouseMove, to, trackbar_->mapToGlobal(to), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(trackbar_, &move);
  }

  // Drags the thumb one pixel at a time by distance pixels and releases it.
  void Drag(int distance) {
    const QPoint grip = trackbar_->ThumbRect().center();
    QTest::mousePress(trackbar_, Qt::LeftButton, Qt::NoModifier, grip);
    const int step = distance < 0 ? -1 : 1;
    for (int moved = step; moved != distance + step; moved += step) {
      Move(grip + QPoint(moved, 0));
    }
    QTest::mouseRelease(trackbar_, Qt::LeftButton, Qt::NoModifier, grip + QPoint(distance, 0));
  }

  std::vector<ScrollEvent> Positions(int from, int to, int code) const {
    std::vector<ScrollEvent> events;
    const int step = from < to ? 1 : -1;
    for (int position = from; position != to + step; position += step) {
      events.push_back({code, position, kWideTrackbarId});
    }
    return events;
  }

  RecordingDialog dialog_;
  Trackbar* trackbar_ = nullptr;
};

TEST_F(TrackbarMouse, DraggingReportsOneThumbTrackPerPositionThenPositionAndEnd) {
  Drag(trackbar_->width());
  std::vector<ScrollEvent> expected = Positions(1, kMaximum, kTbThumbTrack);
  expected.push_back({kTbThumbPosition, kMaximum, kWideTrackbarId});
  expected.push_back({kTbEndTrack, kMaximum, kWideTrackbarId});
  EXPECT_EQ(dialog_.scrolls, expected);
  EXPECT_EQ(dialog_.TrackbarPos(kWideTrackbarId), kMaximum);
}

TEST_F(TrackbarMouse, DraggingBackReportsEveryPositionOnTheWayDown) {
  dialog_.SetTrackbarPos(kWideTrackbarId, kMaximum, true);
  Drag(-trackbar_->width());
  std::vector<ScrollEvent> expected = Positions(kMaximum - 1, 0, kTbThumbTrack);
  expected.push_back({kTbThumbPosition, 0, kWideTrackbarId});
  expected.push_back({kTbEndTrack, 0, kWideTrackbarId});
  EXPECT_EQ(dialog_.scrolls, expected);
}

TEST_F(TrackbarMouse, ATinyDragThatStaysOnOnePositionStillEnds) {
  dialog_.SetTrackbarPos(kWideTrackbarId, 4, true);
  Drag(1);
  const std::vector<ScrollEvent> expected = {{kTbThumbPosition, 4, kWideTrackbarId},
                                             {kTbEndTrack, 4, kWideTrackbarId}};
  EXPECT_EQ(dialog_.scrolls, expected);
}

struct ChannelCase {
  bool rightOfThumb;
  int code;
  int end;
};

class ChannelClicks : public TrackbarMouse, public testing::WithParamInterface<ChannelCase> {};

// The page is a fifth of 0..10: two positions.
TEST_P(ChannelClicks, PageTowardsTheClickThenEndOnRelease) {
  dialog_.SetTrackbarPos(kWideTrackbarId, 5, true);
  const QRect thumb = trackbar_->ThumbRect();
  const QPoint click(GetParam().rightOfThumb ? trackbar_->width() - 2 : 1, thumb.center().y());
  QTest::mousePress(trackbar_, Qt::LeftButton, Qt::NoModifier, click);
  const std::vector<ScrollEvent> pressed = {{GetParam().code, GetParam().end, kWideTrackbarId}};
  EXPECT_EQ(dialog_.scrolls, pressed);
  QTest::mouseRelease(trackbar_, Qt::LeftButton, Qt::NoModifier, click);
  const std::vector<ScrollEvent> released = {{GetParam().code, GetParam().end, kWideTrackbarId},
                                             {kTbEndTrack, GetParam().end, kWideTrackbarId}};
  EXPECT_EQ(dialog_.scrolls, released);
}

INSTANTIATE_TEST_SUITE_P(Sides, ChannelClicks,
                         testing::Values(ChannelCase{true, platform::kTbPageDown, 7},
                                         ChannelCase{false, platform::kTbPageUp, 3}));

TEST_F(TrackbarMouse, OtherButtonsReportNothing) {
  QTest::mouseClick(trackbar_, Qt::RightButton, Qt::NoModifier, QPoint(trackbar_->width() - 2, 5));
  EXPECT_TRUE(dialog_.scrolls.empty());
}

TEST_F(TrackbarMouse, TheWheelStepsALineAndEnds) {
  dialog_.SetTrackbarPos(kWideTrackbarId, 5, true);
  const QPoint at = trackbar_->rect().center();
  QWheelEvent wheel(at, trackbar_->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(trackbar_, &wheel);
  const std::vector<ScrollEvent> expected = {{platform::kTbLineDown, 6, kWideTrackbarId},
                                             {kTbEndTrack, 6, kWideTrackbarId}};
  EXPECT_EQ(dialog_.scrolls, expected);
}

}  // namespace
}  // namespace platform_test
