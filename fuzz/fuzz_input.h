// Reads fixed-size values off the front of a fuzzer input; past its end every
// read yields zero bytes, so any input maps to a complete case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace bitmap_export::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : bytes_(data, size) {}

  template <typename T>
  T Take() {
    unsigned char raw[sizeof(T)] = {};
    const std::size_t count = bytes_.size() < sizeof(T) ? bytes_.size() : sizeof(T);
    if (count > 0) {
      std::memcpy(raw, bytes_.data(), count);
    }
    bytes_ = bytes_.subspan(count);
    T value;
    std::memcpy(&value, raw, sizeof(T));
    return value;
  }

  std::span<const std::uint8_t> Rest() const { return bytes_; }

 private:
  std::span<const std::uint8_t> bytes_;
};

}  // namespace bitmap_export::fuzz
