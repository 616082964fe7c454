// Every control the Tab key reaches shows clearly that it has the keyboard
// focus: its picture with the focus differs from its picture without in a
// visible frame, not in a pixel or two.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <string>
#include <vector>

#include "platform/dialog_window.h"
#include "res/control_ids.h"
#include "tests/ui/main_dialog_harness.h"

namespace ui_test {
namespace {

// A frame two pixels wide around even the smallest control (a 13-pixel box)
// changes about a hundred pixels; the style's faint marks change a dozen.
constexpr int kVisiblePixels = 60;

int DifferentPixels(const QImage& a, const QImage& b) {
  int different = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.pixel(x, y) != b.pixel(x, y)) ++different;
    }
  }
  return different;
}

QImage Picture(QWidget& control) {
  QApplication::processEvents();
  return control.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

std::vector<QWidget*> TabStops(const QWidget& window) {
  std::vector<QWidget*> stops;
  for (QWidget* child : window.findChildren<QWidget*>()) {
    if ((child->focusPolicy() & Qt::TabFocus) && child->isEnabled() && child->isVisible()) {
      stops.push_back(child);
    }
  }
  return stops;
}

TEST(FocusMark, EveryTabStopShowsTheFocusClearly) {
  MainDialogHarness harness;
  EnableRPrime(harness);
  for (const int normal : {res::kIdRadioNormalR, res::kIdRadioNormalI, res::kIdRadioNormalT,
                           res::kIdRadioNormalE, res::kIdRadioNormalRPrime}) {
    harness.Click(normal);
  }
  platform::DialogWindow* window = harness.Dialog().Window();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  const std::vector<QWidget*> stops = TabStops(*window);
  ASSERT_GT(stops.size(), 40U);

  for (QWidget* control : stops) {
    // Another control takes the focus first: this one's picture without it.
    QWidget* other = control == stops.front() ? stops.back() : stops.front();
    other->setFocus(Qt::TabFocusReason);
    const QImage without = Picture(*control);
    control->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(control->hasFocus());
    const QImage with = Picture(*control);
    const std::string name = control->metaObject()->className() + std::string(" \"") +
                             control->property("text").toString().toStdString() + "\" at " +
                             std::to_string(control->x()) + "," + std::to_string(control->y());
    EXPECT_GE(DifferentPixels(without, with), kVisiblePixels) << name;
  }
}

bool IsInk(QRgb pixel) {
  constexpr int kDarkerThanMidGrey = 3 * 128;
  return qRed(pixel) + qGreen(pixel) + qBlue(pixel) < kDarkerThanMidGrey;
}

// The frame goes around a caption, never over it: no pixel of a glyph (or of
// the box) changes when the control takes the focus. Run at scale 2 as well.
TEST(FocusMark, NoFrameCoversAGlyphOfItsCaption) {
  MainDialogHarness harness;
  EnableRPrime(harness);
  platform::DialogWindow* window = harness.Dialog().Window();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  // Once at start-up (Constant checked) and once with every Normal checked.
  for (const bool normal : {false, true}) {
    if (normal) {
      for (const int id : {res::kIdRadioNormalR, res::kIdRadioNormalI, res::kIdRadioNormalT,
                           res::kIdRadioNormalE, res::kIdRadioNormalRPrime}) {
        harness.Click(id);
      }
    }
    const std::vector<QWidget*> stops = TabStops(*window);
    int captions = 0;
    for (QWidget* control : stops) {
      const auto* button = qobject_cast<QAbstractButton*>(control);
      if (button == nullptr || button->text().isEmpty() || qobject_cast<QPushButton*>(control)) {
        continue;
      }
      ++captions;
      QWidget* other = control == stops.front() ? stops.back() : stops.front();
      other->setFocus(Qt::TabFocusReason);
      const QImage without = Picture(*control);
      control->setFocus(Qt::TabFocusReason);
      const QImage with = Picture(*control);
      int covered = 0;
      for (int y = 0; y < without.height(); ++y) {
        for (int x = 0; x < without.width(); ++x) {
          if (IsInk(without.pixel(x, y)) && with.pixel(x, y) != without.pixel(x, y)) ++covered;
        }
      }
      EXPECT_EQ(covered, 0) << button->text().toStdString() << " at " << control->x() << ","
                            << control->y();
    }
    EXPECT_GT(captions, 15);
  }
}

}  // namespace
}  // namespace ui_test
