#include "export/draw_indexed_line.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <optional>

namespace bitmap_export {
namespace {

struct Canvas {
  std::uint8_t* pixels;
  int width;
  int height;
};

// Truncates toward zero; empty unless the result is an index in [0, limit).
// Testing the truncated value keeps -0.5 (row 0) and rejects NaN.
std::optional<int> TruncatedIndex(double value, int limit) {
  const double truncated = std::trunc(value);
  if (!(truncated >= 0.0 && truncated < static_cast<double>(limit))) {
    return std::nullopt;
  }
  return static_cast<int>(truncated);
}

void SetPixel(const Canvas& canvas, int x, int row, std::uint8_t colour) {
  const std::size_t index = static_cast<std::size_t>(row) * static_cast<std::size_t>(canvas.width) +
                            static_cast<std::size_t>(x);
  canvas.pixels[index] = colour;
}

// One pixel per column. Each column's row depends only on its x, so walking
// only the columns inside the canvas skips exactly the pixels off its sides.
void DrawShallow(int x1, int y1, int x2, long long dx, long long dy, std::uint8_t colour,
                 const Canvas& canvas) {
  const double k = static_cast<double>(dy) / static_cast<double>(dx);
  const double b = static_cast<double>(y1) - static_cast<double>(x1) * k;
  const int first = std::max(std::min(x1, x2), 0);
  const int last = std::min(std::max(x1, x2), canvas.width - 1);
  for (int x = first; x <= last; ++x) {
    if (const std::optional<int> row = TruncatedIndex(x * k + b, canvas.height)) {
      SetPixel(canvas, x, *row, colour);
    }
  }
}

// One pixel per row, rows clipped to the canvas.
void DrawSteep(int x1, int y1, int y2, long long dx, long long dy, std::uint8_t colour,
               const Canvas& canvas) {
  const double k = static_cast<double>(dx) / static_cast<double>(dy);
  const double b = static_cast<double>(x1) - static_cast<double>(y1) * k;
  const int first = std::max(0, std::min(y1, y2));
  const int last = std::min(canvas.height - 1, std::max(y1, y2));
  for (int row = first; row <= last; ++row) {
    if (const std::optional<int> x = TruncatedIndex(row * k + b, canvas.width)) {
      SetPixel(canvas, *x, row, colour);
    }
  }
}

}  // namespace

void DrawIndexedLine(int x1, int y1, int x2, int y2, std::uint8_t colour, std::uint8_t* pixels,
                     int width, int height) {
  if (pixels == nullptr || width <= 0 || height <= 0) {
    return;
  }
  const Canvas canvas{pixels, width, height};
  // Differences in 64 bits: the int difference of far-apart ends overflows.
  const long long dx = static_cast<long long>(x1) - x2;
  const long long dy = static_cast<long long>(y1) - y2;
  if (std::llabs(dx) >= std::llabs(dy)) {
    if (dx != 0) {
      DrawShallow(x1, y1, x2, dx, dy, colour, canvas);
    }
    return;
  }
  DrawSteep(x1, y1, y2, dx, dy, colour, canvas);
}

}  // namespace bitmap_export
