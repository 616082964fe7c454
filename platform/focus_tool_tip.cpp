#include "platform/focus_tool_tip.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QObject>
#include <QToolTip>
#include <QWidget>

namespace platform {
namespace {

constexpr const char* kFilterName = "corvellan-focus-tool-tip";

bool IsKeyboardFocus(const QFocusEvent& event) {
  return event.reason() == Qt::TabFocusReason || event.reason() == Qt::BacktabFocusReason;
}

bool IsTabKey(const QKeyEvent& event) {
  return event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab;
}

// Owned by the control it watches, so it goes with it. Any key release takes
// a tooltip down, so the tip shows again when the Tab key that brought the
// focus comes up.
class FocusToolTipFilter final : public QObject {
 public:
  explicit FocusToolTipFilter(QWidget* control) : QObject(control), control_(control) {
    setObjectName(kFilterName);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != control_) {
      return false;
    }
    switch (event->type()) {
      case QEvent::FocusIn:
        tabPending_ = IsKeyboardFocus(*static_cast<QFocusEvent*>(event));
        if (tabPending_) {
          Show();
        }
        break;
      case QEvent::FocusOut:
        tabPending_ = false;
        break;
      case QEvent::KeyRelease:
        if (tabPending_ && IsTabKey(*static_cast<QKeyEvent*>(event))) {
          tabPending_ = false;
          Show();
        }
        break;
      default:
        break;
    }
    return false;
  }

 private:
  void Show() const {
    if (!control_->toolTip().isEmpty()) {
      QToolTip::showText(control_->mapToGlobal(control_->rect().bottomLeft()), control_->toolTip(),
                         control_);
    }
  }

  QWidget* control_;
  bool tabPending_ = false;
};

}  // namespace

void ShowToolTipOnKeyboardFocus(QWidget* control) {
  if (control == nullptr ||
      control->findChild<QObject*>(kFilterName, Qt::FindDirectChildrenOnly) != nullptr) {
    return;
  }
  control->installEventFilter(new FocusToolTipFilter(control));
}

}  // namespace platform
