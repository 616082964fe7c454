#pragma once

#include <string_view>

namespace platform {

// One command of a popup menu. Ids are the menu's own: they are returned, not
// sent to the dialog as commands.
struct MenuItem {
  int id;
  std::string_view text;
  bool enabled = true;
  bool checkable = false;  // shows a check mark while checked
  bool checked = false;
  bool separatorBefore = false;
};

}  // namespace platform
