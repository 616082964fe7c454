#include "export/overlay_palette.h"

#include <cstddef>

namespace bitmap_export {
namespace {

inline constexpr PaletteColour kWhite{255, 255, 255};

inline constexpr std::array kCurveColours = {
    PaletteColour{220, 20, 60},   // crimson
    PaletteColour{0, 90, 200},    // blue
    PaletteColour{0, 150, 60},    // green
    PaletteColour{255, 130, 0},   // orange
    PaletteColour{130, 50, 170},  // purple
    PaletteColour{140, 80, 30},   // brown
    PaletteColour{220, 0, 180},   // magenta
    PaletteColour{0, 140, 140},   // teal
    PaletteColour{0, 0, 0},       // black
    PaletteColour{120, 120, 0},   // olive
    PaletteColour{0, 0, 120},     // navy
    PaletteColour{128, 0, 0},     // maroon
};

}  // namespace

std::array<PaletteColour, kPaletteEntries> OverlayPalette() {
  std::array<PaletteColour, kPaletteEntries> palette{};
  palette[kBackgroundIndex] = kWhite;
  for (std::size_t index = kFirstCurveIndex; index < palette.size(); ++index) {
    palette[index] = kCurveColours[(index - kFirstCurveIndex) % kCurveColours.size()];
  }
  return palette;
}

}  // namespace bitmap_export
