#pragma once

#include <array>
#include <cstdint>

namespace platform {

// Lengths in pixels of a pen's dashes and gaps, alternating and dash first;
// entries after the last used one are 0. {6, 3} is six on, three off.
struct DashPattern {
  std::array<std::uint8_t, 4> lengths;
  friend bool operator==(const DashPattern&, const DashPattern&) = default;
};

constexpr int DashPeriod(const DashPattern& pattern) {
  int period = 0;
  for (const std::uint8_t length : pattern.lengths) period += length;
  return period;
}

// Whether the pixel at indexAlongLine (counted from where the pattern starts)
// lies on a dash; a pattern of no length is solid.
constexpr bool IsDashPixel(const DashPattern& pattern, int indexAlongLine) {
  const int period = DashPeriod(pattern);
  if (period == 0) return true;
  int phase = indexAlongLine % period;
  for (std::size_t i = 0; i < pattern.lengths.size(); ++i) {
    if (phase < pattern.lengths[i]) return i % 2 == 0;
    phase -= pattern.lengths[i];
  }
  return true;
}

}  // namespace platform
