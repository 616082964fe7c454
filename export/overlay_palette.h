// The palette of a fresh overlay bitmap: a white background and clearly
// visible curve colours.
#pragma once

#include <array>
#include <cstdint>

#include "export/bitmap_layout.h"

namespace bitmap_export {

struct PaletteColour {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};

inline constexpr std::uint8_t kBackgroundIndex = 0;
inline constexpr std::uint8_t kFirstCurveIndex = 1;

// Index 0 is white; every other index holds one of a short cycle of distinct
// dark and saturated colours, so each export's curve stands out on white and
// from the curves just before and after it.
std::array<PaletteColour, kPaletteEntries> OverlayPalette();

}  // namespace bitmap_export
