#pragma once

namespace platform {

// A dotted pen draws dots and gaps of three pixels each, counted from the
// first pixel of every line.
inline constexpr int kDotLength = 3;
inline constexpr int kGapLength = 3;
inline constexpr int kDotPeriod = kDotLength + kGapLength;

constexpr bool IsDotPixel(int indexAlongLine) {
  return indexAlongLine % kDotPeriod < kDotLength;
}

// Pixels from indexAlongLine to the end of the dot or gap it lies in, itself included.
constexpr int DotPatternRemaining(int indexAlongLine) {
  const int phase = indexAlongLine % kDotPeriod;
  return phase < kDotLength ? kDotLength - phase : kDotPeriod - phase;
}

}  // namespace platform
