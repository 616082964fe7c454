#include "platform/popup_menu.h"

#include <QMenu>
#include <utility>

#include "drawing/qt_strings.h"
#include "platform/dialog.h"
#include "platform/dialog_window.h"
#include "platform/qt_menu.h"

namespace platform {

namespace {

int ShowQtMenu(const Dialog& owner, std::span<const MenuItem> items, int x, int y) {
  DialogWindow* window = owner.Window();
  if (window == nullptr) {
    return kMenuDismissed;
  }
  const std::unique_ptr<QMenu> menu = MakeQtMenu(*window, items);
  const QAction* chosen = menu->exec(window->mapToGlobal(QPoint(x, y)));
  return chosen != nullptr ? chosen->data().toInt() : kMenuDismissed;
}

PopupMenuHandler& HandlerSlot() {
  static PopupMenuHandler handler;
  return handler;
}

}  // namespace

int TrackPopupMenu(const Dialog& owner, std::span<const MenuItem> items, int x, int y) {
  const PopupMenuHandler handler = HandlerSlot();
  return handler ? handler(items, x, y) : ShowQtMenu(owner, items, x, y);
}

PopupMenuHandler SetPopupMenuHandler(PopupMenuHandler handler) {
  return std::exchange(HandlerSlot(), std::move(handler));
}

}  // namespace platform
