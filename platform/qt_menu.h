#pragma once

#include <QMenu>
#include <QWidget>
#include <memory>
#include <span>

#include "platform/menu_item.h"

namespace platform {

// The Qt menu of items, owned by owner and in its font: a dialog's menu reads
// in the dialog's font, not the desktop's menu font. Each action carries its
// item's id as data.
std::unique_ptr<QMenu> MakeQtMenu(QWidget& owner, std::span<const MenuItem> items);

}  // namespace platform
