#include "platform/active_dialogs.h"

#include <algorithm>
#include <vector>

namespace platform {
namespace {

std::vector<Dialog*>& ActiveDialogs() {
  static std::vector<Dialog*> dialogs;
  return dialogs;
}

}  // namespace

void RegisterActiveDialog(Dialog* dialog) {
  UnregisterActiveDialog(dialog);
  ActiveDialogs().push_back(dialog);
}

void UnregisterActiveDialog(Dialog* dialog) {
  std::erase(ActiveDialogs(), dialog);
}

Dialog* ActiveDialog() {
  return ActiveDialogs().empty() ? nullptr : ActiveDialogs().back();
}

}  // namespace platform
