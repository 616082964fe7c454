#include "platform/qt_menu.h"

#include <QAction>

#include "drawing/qt_strings.h"

namespace platform {

std::unique_ptr<QMenu> MakeQtMenu(QWidget& owner, std::span<const MenuItem> items) {
  auto menu = std::make_unique<QMenu>(&owner);
  menu->setFont(owner.font());
  for (const MenuItem& item : items) {
    if (item.separatorBefore && !menu->isEmpty()) menu->addSeparator();
    QAction* action = menu->addAction(ToQString(item.text));
    action->setData(item.id);
    action->setEnabled(item.enabled);
    action->setCheckable(item.checkable);
    action->setChecked(item.checked);
  }
  return menu;
}

}  // namespace platform
