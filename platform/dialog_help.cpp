// The tooltips and the context menu of Dialog.
#include "drawing/qt_strings.h"
#include "platform/dialog.h"
#include "platform/dialog_window.h"
#include "platform/focus_tool_tip.h"

namespace platform {

void Dialog::SetControlToolTip(int id, std::string_view text) {
  QWidget* control = window_ ? window_->Control(id) : nullptr;
  if (control == nullptr) {
    return;
  }
  control->setToolTip(ToQString(text));
  control->setAccessibleDescription(ToQString(text));
  ShowToolTipOnKeyboardFocus(control);
}

std::string Dialog::ControlToolTip(int id) const {
  const QWidget* control = window_ ? window_->Control(id) : nullptr;
  return control != nullptr ? ToStdString(control->toolTip()) : std::string();
}

void Dialog::OnContextMenu(int /*x*/, int /*y*/, ContextMenuSource /*source*/) {}

AreaToolTip Dialog::ToolTipAt(int /*x*/, int /*y*/) const {
  return {};
}

bool Dialog::TakesFileDrops() const {
  return false;
}

void Dialog::OnDropFile(const std::string& /*path*/) {}

}  // namespace platform
