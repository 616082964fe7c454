#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include "platform/dialog_window.h"
#include "test_dialog.h"

namespace platform_test {
namespace {

using platform::DrawingObject;
using platform::PaintContext;

constexpr platform::Rgb kRed = {255, 0, 0};

// Draws one red line from (kLineLeft, kLineY) up to (kLineEnd, kLineY) at
// every paint, where no control of the test template covers the window.
constexpr int kLineLeft = 200;
constexpr int kLineEnd = 240;
constexpr int kLineY = 210;
class LineDialog : public RecordingDialog {
 protected:
  void OnPaint(PaintContext& context) override {
    RecordingDialog::OnPaint(context);
    const DrawingObject pen = context.CreatePen(platform::PenStyle::kSolid, 1, kRed);
    const DrawingObject previous = context.SelectObject(pen);
    context.MoveTo(kLineLeft, kLineY);
    context.LineTo(kLineEnd, kLineY);
    context.SelectObject(previous);
    context.DeleteObject(pen);
  }
};

// Shows the dialog and lets its first paints happen.
void ShowSettled(RecordingDialog& dialog) {
  dialog.Create();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.Window()));
  ASSERT_TRUE(QTest::qWaitFor([&dialog] { return dialog.PaintCount() > 0; }));
  QCoreApplication::processEvents();
}

TEST(Repaint, InvalidateDefersAndUpdateWindowPaintsAtOnce) {
  RecordingDialog dialog;
  ShowSettled(dialog);
  const int before = dialog.PaintCount();
  dialog.Invalidate(true);
  EXPECT_EQ(dialog.PaintCount(), before);
  dialog.UpdateWindow();
  EXPECT_EQ(dialog.PaintCount(), before + 1);
  dialog.UpdateWindow();
  EXPECT_EQ(dialog.PaintCount(), before + 1);
}

TEST(Repaint, RedrawWindowPaintsAtOnceEveryTime) {
  RecordingDialog dialog;
  ShowSettled(dialog);
  const int before = dialog.PaintCount();
  dialog.RedrawWindow();
  dialog.RedrawWindow();
  EXPECT_EQ(dialog.PaintCount(), before + 2);
}

TEST(Repaint, ADeferredPaintComesFromTheEventLoop) {
  RecordingDialog dialog;
  ShowSettled(dialog);
  const int before = dialog.PaintCount();
  dialog.Invalidate(false);
  EXPECT_TRUE(QTest::qWaitFor([&dialog, before] { return dialog.PaintCount() == before + 1; }));
  dialog.UpdateWindow();
  EXPECT_EQ(dialog.PaintCount(), before + 1);
}

// Invalidate, UpdateWindow and RedrawWindow in a row give two paints at once,
// and the invalidation is not painted a third time.
TEST(Repaint, TheRecomputeSequencePaintsTwice) {
  RecordingDialog dialog;
  ShowSettled(dialog);
  const int before = dialog.PaintCount();
  dialog.Invalidate(true);
  dialog.UpdateWindow();
  dialog.RedrawWindow();
  EXPECT_EQ(dialog.PaintCount(), before + 2);
  QCoreApplication::processEvents();
  EXPECT_EQ(dialog.PaintCount(), before + 2);
}

TEST(Repaint, AHiddenDialogDoesNotPaint) {
  RecordingDialog dialog;
  dialog.Create();
  dialog.EndDialog(platform::kIdCancel);
  dialog.RedrawWindow();
  dialog.UpdateWindow();
  EXPECT_EQ(dialog.PaintCount(), 0);
}

TEST(Paint, TheDialogsPaintHandlerDrawsIntoTheWindow) {
  LineDialog dialog;
  ShowSettled(dialog);
  const QImage image = dialog.Window()->grab().toImage();
  for (int x = kLineLeft; x < kLineEnd; ++x) {
    EXPECT_EQ(image.pixelColor(x, kLineY), QColor(255, 0, 0)) << x;
  }
  EXPECT_NE(image.pixelColor(kLineEnd, kLineY), QColor(255, 0, 0));
  EXPECT_NE(image.pixelColor(kLineLeft - 1, kLineY), QColor(255, 0, 0));
  EXPECT_NE(image.pixelColor(kLineLeft, kLineY + 1), QColor(255, 0, 0));
}

TEST(Icons, BigAndSmallIconsComeFromTheResources) {
  RecordingDialog dialog;
  dialog.Create();
  dialog.SetIcon(kTestIconId, true);
  dialog.SetIcon(kTestIconId, false);
  const QList<QSize> sizes = dialog.Window()->windowIcon().availableSizes();
  EXPECT_TRUE(sizes.contains(QSize(32, 32)));
  EXPECT_TRUE(sizes.contains(QSize(16, 16)));
}

TEST(Icons, TheSmallIconPrefersItsOwnPicture) {
  RecordingDialog dialog;
  dialog.Create();
  dialog.SetIcon(kTestIconId, false);
  const QImage small = dialog.Window()->windowIcon().pixmap(QSize(16, 16)).toImage();
  EXPECT_EQ(small.pixelColor(8, 8), QColor(0, 255, 255));
}

// The big icon at 1x and at 2x, both made from the one 64-pixel picture.
TEST(Icons, AreScaledWhenTheyHaveNoPictureOfTheirSize) {
  RecordingDialog dialog;
  dialog.Create();
  dialog.SetIcon(kLargeTestIconId, true);
  EXPECT_EQ(dialog.Window()->windowIcon().availableSizes(),
            (QList<QSize>{QSize(32, 32), QSize(64, 64)}));
}

TEST(Icons, AMissingIconChangesNothing) {
  RecordingDialog dialog;
  dialog.Create();
  dialog.SetIcon(kMissingResourceId, true);
  EXPECT_TRUE(dialog.Window()->windowIcon().availableSizes().isEmpty());
}

TEST(Iconic, FollowsTheMinimisedState) {
  RecordingDialog dialog;
  dialog.Create();
  EXPECT_FALSE(dialog.IsIconic());
  dialog.Window()->setWindowState(Qt::WindowMinimized);
  EXPECT_TRUE(dialog.IsIconic());
  dialog.Window()->setWindowState(Qt::WindowNoState);
  EXPECT_FALSE(dialog.IsIconic());
}

TEST(ClientRect, IsTheTemplateSizeInPixels) {
  RecordingDialog dialog;
  EXPECT_EQ(dialog.GetClientRect(), (platform::ClientRect{0, 0, 0, 0}));
  dialog.Create();
  // 200 x 160 DU.
  EXPECT_EQ(dialog.GetClientRect(), (platform::ClientRect{0, 0, 300, 260}));
}

}  // namespace
}  // namespace platform_test
