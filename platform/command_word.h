#pragma once

#include <cstdint>

namespace platform {

// A command word carries the control id in its low 16 bits and the
// notification code in its high 16 bits.
inline constexpr std::uint16_t kBnClicked = 0x0000;
inline constexpr std::uint16_t kEnChange = 0x0300;
inline constexpr std::uint16_t kEnUpdate = 0x0400;

// Ids of the standard commands that end a dialog.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

inline constexpr unsigned kCommandIdBits = 16;
inline constexpr std::uint32_t kCommandIdMask = 0xFFFFu;

constexpr std::uint32_t MakeCommandWord(int controlId, std::uint16_t notification) {
  return (static_cast<std::uint32_t>(notification) << kCommandIdBits) |
         (static_cast<std::uint32_t>(controlId) & kCommandIdMask);
}

// The id as the low word holds it: id -1 reads 0xFFFF.
constexpr std::uint16_t CommandId(std::uint32_t commandWord) {
  return static_cast<std::uint16_t>(commandWord & kCommandIdMask);
}

constexpr std::uint16_t NotificationCode(std::uint32_t commandWord) {
  return static_cast<std::uint16_t>(commandWord >> kCommandIdBits);
}

}  // namespace platform
