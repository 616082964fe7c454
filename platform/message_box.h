#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace platform {

enum class MessageIcon : std::uint8_t {
  kNone,
  kInformation,
  kExclamation,
  kError,
};

// Shows text in a modal message box with one OK button, owned by the active
// dialog, and returns when it is closed.
void ShowMessageBox(std::string_view text, MessageIcon icon);

// Replaces what ShowMessageBox does (tests install one that only records);
// an empty handler restores the message box. Returns the handler before.
using MessageBoxHandler = std::function<void(std::string_view text, MessageIcon icon)>;
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace platform
