#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QImage>
#include <QPaintEvent>
#include <QScreen>
#include <QTest>
#include <array>
#include <cstdint>
#include <map>

#include "paint_image.h"
#include "platform/dialog_window.h"
#include "test_dialog.h"

namespace platform_test {
namespace {

using platform::PaintContext;

// Counts the paint events of the widgets it watches and keeps the region of
// each one's last.
class PaintWatcher : public QObject {
 public:
  void Watch(QWidget* widget) { widget->installEventFilter(this); }
  int Paints(const QWidget* widget) const {
    const auto found = paints_.find(widget);
    return found == paints_.end() ? 0 : found->second;
  }
  QRegion LastRegion(const QWidget* widget) const {
    const auto found = regions_.find(widget);
    return found == regions_.end() ? QRegion() : found->second;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      const auto* widget = static_cast<const QWidget*>(watched);
      ++paints_[widget];
      regions_[widget] = static_cast<QPaintEvent*>(event)->region();
    }
    return false;
  }

 private:
  std::map<const QWidget*, int> paints_;
  std::map<const QWidget*, QRegion> regions_;
};

QList<QWidget*> ChildControls(const platform::Dialog& dialog) {
  return dialog.Window()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
}

void ShowSettled(RecordingDialog& dialog) {
  dialog.Create();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.Window()));
  ASSERT_TRUE(QTest::qWaitFor([&dialog] { return dialog.PaintCount() > 0; }));
  QCoreApplication::processEvents();
}

void RepaintAsRecomputeDoes(platform::Dialog& dialog) {
  dialog.Invalidate(true);
  dialog.UpdateWindow();
  dialog.RedrawWindow();
}

class OwnRepaint : public testing::Test {
 protected:
  void SetUp() override {
    ShowSettled(dialog_);
    watcher_.Watch(dialog_.Window());
    for (QWidget* control : ChildControls(dialog_)) {
      watcher_.Watch(control);
    }
  }
  QWidget* Control(int id) const { return dialog_.Window()->Control(id); }

  RecordingDialog dialog_;
  PaintWatcher watcher_;
};

TEST_F(OwnRepaint, LeavesControlsThatDidNotChangeAlone) {
  RepaintAsRecomputeDoes(dialog_);
  QCoreApplication::processEvents();
  EXPECT_EQ(watcher_.Paints(dialog_.Window()), 2);
  for (const QWidget* control : ChildControls(dialog_)) {
    EXPECT_EQ(watcher_.Paints(control), 0) << control->metaObject()->className();
  }
}

TEST_F(OwnRepaint, StillLetsAControlThatChangedRepaintItself) {
  dialog_.SetControlText(kAmpersandLabelId, "changed");
  dialog_.Invalidate(true);
  dialog_.UpdateWindow();
  EXPECT_EQ(watcher_.Paints(Control(kAmpersandLabelId)), 1);
  EXPECT_EQ(watcher_.Paints(Control(kCheckBoxId)), 0);
}

// The dialog's surface is all of its client area that no control covers:
// group boxes, the controls inside them and the controls outside them alike.
TEST_F(OwnRepaint, CoversEverythingButTheVisibleControls) {
  dialog_.RedrawWindow();
  const QRegion painted = watcher_.LastRegion(dialog_.Window());
  QRegion controls;
  for (const QWidget* control : ChildControls(dialog_)) {
    ASSERT_TRUE(control->isVisible());
    EXPECT_FALSE(painted.intersects(control->geometry())) << control->metaObject()->className();
    controls += control->geometry();
  }
  EXPECT_TRUE(QRegion(dialog_.Window()->rect()).subtracted(controls).subtracted(painted).isEmpty());
}

TEST_F(OwnRepaint, TakesInTheSpotOfAHiddenControl) {
  QWidget* box = Control(kCheckBoxId);
  const QRect spot = box->geometry();
  box->hide();
  QCoreApplication::processEvents();
  dialog_.RedrawWindow();
  EXPECT_TRUE(watcher_.LastRegion(dialog_.Window()).contains(spot));
}

TEST_F(OwnRepaint, FollowsAControlThatMoved) {
  QWidget* box = Control(kCheckBoxId);
  const QRect before = box->geometry();
  box->move(box->pos() + QPoint(0, before.height() * 2));
  QCoreApplication::processEvents();
  dialog_.RedrawWindow();
  const QRegion painted = watcher_.LastRegion(dialog_.Window());
  EXPECT_FALSE(painted.intersects(box->geometry()));
  EXPECT_TRUE(painted.contains(before.topLeft()));
}

// Draws a line across the whole client area, in a new colour at every paint.
class StripeDialog : public RecordingDialog {
 public:
  static constexpr int kRow = 5;
  QColor LastColour() const { return kColours.at(static_cast<std::size_t>(paints_ - 1) % 2); }

 protected:
  void OnPaint(PaintContext& context) override {
    RecordingDialog::OnPaint(context);
    const QColor colour = kColours.at(static_cast<std::size_t>(paints_++) % 2);
    const platform::DrawingObject pen =
        context.CreatePen(platform::PenStyle::kSolid, 1,
                          platform::Rgb{static_cast<std::uint8_t>(colour.red()),
                                        static_cast<std::uint8_t>(colour.green()),
                                        static_cast<std::uint8_t>(colour.blue())});
    const platform::DrawingObject previous = context.SelectObject(pen);
    const int row = Window()->Control(kCheckBoxId)->geometry().top() + kRow;
    context.MoveTo(0, row);
    context.LineTo(Window()->width(), row);
    context.SelectObject(previous);
    context.DeleteObject(pen);
  }

 private:
  static inline const std::array<QColor, 2> kColours = {QColor(255, 0, 0), QColor(0, 0, 255)};
  int paints_ = 0;
};

QImage OnScreen(const platform::Dialog& dialog) {
  return QGuiApplication::primaryScreen()
      ->grabWindow(dialog.Window()->winId())
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

// What the window shows after the repaint: the new stripe on the dialog's own
// surface, the controls exactly as they were.
TEST(OwnRepaintOnScreen, RedrawsTheSurfaceAroundTheControls) {
  StripeDialog dialog;
  ShowSettled(dialog);
  const QImage before = OnScreen(dialog);
  ASSERT_FALSE(before.isNull());
  dialog.RedrawWindow();
  const QImage after = OnScreen(dialog);
  const QRect box = dialog.Window()->Control(kCheckBoxId)->geometry();
  const int row = box.top() + StripeDialog::kRow;
  EXPECT_EQ(after.pixelColor(box.left() - 1, row), dialog.LastColour());
  EXPECT_EQ(after.pixelColor(box.right() + 1, row), dialog.LastColour());
  EXPECT_EQ(after.copy(box), before.copy(box));
}

// Part of a widget rendered into an image, the part's corner at an offset:
// the paint's lines land only inside that part, moved with it.
TEST(RenderedPart, KeepsTheLinesToThePartAndItsOffset) {
  StripeDialog dialog;
  ShowSettled(dialog);
  const QRect box = dialog.Window()->Control(kCheckBoxId)->geometry();
  const int row = box.top() + StripeDialog::kRow;
  const QRect part(0, row - 2, box.left(), 5);
  const QPoint offset(3, 4);
  QImage image(dialog.Window()->size(), QImage::Format_RGB32);
  image.fill(kMarker);
  dialog.Window()->render(&image, offset, QRegion(part));
  const QPoint shift = offset - part.topLeft();
  const QColor stripe = dialog.LastColour();
  EXPECT_EQ(image.pixelColor(QPoint(part.left(), row) + shift), stripe);
  EXPECT_EQ(image.pixelColor(QPoint(part.right(), row) + shift), stripe);
  EXPECT_EQ(image.pixelColor(QPoint(part.right() + 1, row) + shift), kMarker);
  EXPECT_EQ(image.pixelColor(QPoint(part.left(), part.top() - 1) + shift), kMarker);
  EXPECT_EQ(image.pixelColor(QPoint(part.left(), part.bottom() + 1) + shift), kMarker);
}

}  // namespace
}  // namespace platform_test
