#include "export/series_overlay.h"

#include <optional>

#include "export/bitmap_layout.h"
#include "export/draw_indexed_line.h"
#include "export/overlay_geometry.h"

namespace bitmap_export {
namespace {

void DrawSeries(std::span<std::uint8_t> file, const float* series) {
  std::uint8_t* pixels = file.data() + kPixelDataOffset;
  std::optional<int> previous = OverlayRow(series[0]);
  for (int index = 1; index < kOverlayPointCount; ++index) {
    const std::optional<int> current = OverlayRow(series[index]);
    if (previous && current) {
      // Read per segment: the colour byte is itself a pixel, though no segment reaches it.
      DrawIndexedLine(OverlayColumn(index - 1), *previous, OverlayColumn(index), *current,
                      file[kCurveColourOffset], pixels, kCanvasWidth, kCanvasHeight);
    }
    previous = current;
  }
}

void AdvanceCurveColour(std::span<std::uint8_t> file) {
  file[kCurveColourOffset] =
      static_cast<std::uint8_t>((file[kCurveColourOffset] + 1) % kPaletteEntries);
}

}  // namespace

BitmapCheck OverlaySeries(std::span<std::uint8_t> file, const float* series) {
  const BitmapCheck check = CheckOverlayBitmap(file);
  if (check == BitmapCheck::kOk && series != nullptr) {
    DrawSeries(file, series);
    AdvanceCurveColour(file);
  }
  return check;
}

}  // namespace bitmap_export
