#pragma once

#include <functional>
#include <span>

#include "platform/menu_item.h"

namespace platform {

class Dialog;

// What TrackPopupMenu returns when the menu is closed without a choice.
inline constexpr int kMenuDismissed = 0;

// Shows the items as a popup menu of owner's window with its top-left corner
// at (x, y) in the window's client coordinates, and returns when it closes:
// the id of the item chosen, or kMenuDismissed.
int TrackPopupMenu(const Dialog& owner, std::span<const MenuItem> items, int x, int y);

// Replaces what TrackPopupMenu does (tests choose without a menu); an empty
// handler restores the menu. Returns the handler before.
using PopupMenuHandler = std::function<int(std::span<const MenuItem> items, int x, int y)>;
PopupMenuHandler SetPopupMenuHandler(PopupMenuHandler handler);

}  // namespace platform
