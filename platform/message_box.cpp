#include "platform/message_box.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <array>
#include <utility>

#include "drawing/qt_strings.h"
#include "platform/active_dialogs.h"
#include "platform/dialog.h"
#include "platform/dialog_window.h"

namespace platform {
namespace {

struct IconMapping {
  MessageIcon icon;
  QMessageBox::Icon qtIcon;
};

constexpr std::array<IconMapping, 4> kIcons = {{
    {MessageIcon::kNone, QMessageBox::NoIcon},
    {MessageIcon::kInformation, QMessageBox::Information},
    {MessageIcon::kExclamation, QMessageBox::Warning},
    {MessageIcon::kError, QMessageBox::Critical},
}};

QMessageBox::Icon QtIcon(MessageIcon icon) {
  for (const IconMapping& mapping : kIcons) {
    if (mapping.icon == icon) {
      return mapping.qtIcon;
    }
  }
  return QMessageBox::NoIcon;
}

void ShowQtMessageBox(std::string_view text, MessageIcon icon) {
  Dialog* owner = ActiveDialog();
  QMessageBox box(QtIcon(icon), QCoreApplication::applicationName(), ToQString(text),
                  QMessageBox::Ok, owner != nullptr ? owner->Window() : nullptr);
  box.exec();
}

MessageBoxHandler& HandlerSlot() {
  static MessageBoxHandler handler;
  return handler;
}

}  // namespace

void ShowMessageBox(std::string_view text, MessageIcon icon) {
  const MessageBoxHandler handler = HandlerSlot();
  if (handler) {
    handler(text, icon);
  } else {
    ShowQtMessageBox(text, icon);
  }
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  return std::exchange(HandlerSlot(), std::move(handler));
}

}  // namespace platform
