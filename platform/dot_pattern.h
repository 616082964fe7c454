#pragma once

namespace platform {

// A dotted pen draws dots and gaps of three pixels each, counted from the
// first pixel of every line.
inline constexpr int kDotLength = 3;
inline constexpr int kGapLength = 3;

constexpr bool IsDotPixel(int indexAlongLine) {
  return indexAlongLine % (kDotLength + kGapLength) < kDotLength;
}

}  // namespace platform
