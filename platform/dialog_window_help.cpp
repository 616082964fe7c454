// The context menu and the client area's tooltip of DialogWindow.
#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QToolTip>

#include "drawing/qt_strings.h"
#include "platform/dialog_window.h"

namespace platform {
namespace {

// The keys that ask for the focused control's context menu.
bool IsContextMenuKey(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
  return (event.key() == Qt::Key_Menu && modifiers == Qt::NoModifier) ||
         (event.key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier);
}

}  // namespace

// Key presses arrive here after the focused control has let them pass.
bool DialogWindow::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    return ShowAreaToolTip(*static_cast<QHelpEvent*>(event));
  }
  if (event->type() == QEvent::KeyPress && IsContextMenuKey(*static_cast<QKeyEvent*>(event))) {
    OpenContextMenuFromKeyboard();
    return true;
  }
  return QDialog::event(event);
}

// Only clicks: a keyboard request comes as its key press, which some
// platforms also turn into a keyboard context menu event.
void DialogWindow::contextMenuEvent(QContextMenuEvent* event) {
  if (event->reason() == QContextMenuEvent::Keyboard) {
    event->accept();
    return;
  }
  dialog_.OnContextMenu(event->pos().x(), event->pos().y(), ContextMenuSource::kMouse);
}

void DialogWindow::OpenContextMenuFromKeyboard() {
  const QWidget* focus = QApplication::focusWidget();
  const bool focusInside = focus != nullptr && isAncestorOf(focus);
  const QPoint at = focusInside ? focus->mapTo(this, focus->rect().center()) : rect().center();
  dialog_.OnContextMenu(at.x(), at.y(), ContextMenuSource::kKeyboard);
}

bool DialogWindow::ShowAreaToolTip(const QHelpEvent& event) {
  const AreaToolTip tip = dialog_.ToolTipAt(event.pos().x(), event.pos().y());
  if (tip.text.empty()) {
    QToolTip::hideText();
    return true;
  }
  const QRect area(tip.area.left, tip.area.top, tip.area.right - tip.area.left,
                   tip.area.bottom - tip.area.top);
  QToolTip::showText(event.globalPos(), ToQString(tip.text), this, area);
  return true;
}

}  // namespace platform
