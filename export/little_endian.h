// Little-endian integer access to byte buffers, independent of the host's order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace bitmap_export {

inline constexpr int kBitsPerByte = 8;
inline constexpr std::uint32_t kByteMask = 0xFF;

// Reads `size` bytes (at most 4) at `offset`; the caller checks the bounds.
constexpr std::uint32_t ReadLittleEndian(std::span<const std::uint8_t> bytes, std::size_t offset,
                                         std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = size; i > 0; --i) {
    value = (value << kBitsPerByte) | bytes[offset + i - 1];
  }
  return value;
}

// Writes the low `size` bytes (at most 4) of `value` at `offset`.
constexpr void WriteLittleEndian(std::span<std::uint8_t> bytes, std::size_t offset,
                                 std::size_t size, std::uint32_t value) {
  for (std::size_t i = 0; i < size; ++i) {
    bytes[offset + i] = static_cast<std::uint8_t>(value & kByteMask);
    value >>= kBitsPerByte;
  }
}

}  // namespace bitmap_export
