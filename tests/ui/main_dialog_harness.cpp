#include "tests/ui/main_dialog_harness.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "platform/dialog_window.h"
#include "platform/trackbar.h"
#include "res/control_ids.h"

namespace ui_test {

MessageRecorder::MessageRecorder()
    : previous_(
          platform::SetMessageBoxHandler([this](std::string_view text, platform::MessageIcon icon) {
            messages_.push_back({std::string(text), icon});
          })) {}

MessageRecorder::~MessageRecorder() {
  platform::SetMessageBoxHandler(previous_);
}

MainDialogHarness::MainDialogHarness() {
  dialog_.SetRunObserver(
      [this](const model::RunArguments& arguments) { runs_.push_back(arguments); });
  dialog_.Create();
}

QWidget* MainDialogHarness::Control(int id) const {
  return dialog_.Window() != nullptr ? dialog_.Window()->Control(id) : nullptr;
}

void MainDialogHarness::Click(int id) {
  QWidget* control = Control(id);
  QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, control->rect().center());
}

void MainDialogHarness::Key(int id, int key) {
  QTest::keyClick(Control(id), static_cast<Qt::Key>(key));
}

void MainDialogHarness::Keys(int id, std::initializer_list<int> keys) {
  for (const int key : keys) {
    Key(id, key);
  }
}

void MainDialogHarness::Drag(int trackbarId, int distance) {
  auto* trackbar = qobject_cast<platform::Trackbar*>(Control(trackbarId));
  const QPoint grip = trackbar->ThumbRect().center();
  QTest::mousePress(trackbar, Qt::LeftButton, Qt::NoModifier, grip);
  const int step = distance < 0 ? -1 : 1;
  for (int moved = step; moved != distance + step; moved += step) {
    const QPoint at = grip + QPoint(moved, 0);
    QMouseEvent move(QEvent::MouseMove, at, trackbar->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(trackbar, &move);
  }
  QTest::mouseRelease(trackbar, Qt::LeftButton, Qt::NoModifier, grip + QPoint(distance, 0));
}

void EnableRPrime(MainDialogHarness& harness) {
  harness.Click(res::kIdCheckSanctions);
  harness.Click(res::kIdRadioNormalRPrime);
}

}  // namespace ui_test
