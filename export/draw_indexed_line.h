// The rasteriser of the overlay export: a straight line of one palette index
// into an 8-bit pixel array.
#pragma once

#include <cstdint>

namespace bitmap_export {

// Sets the pixels of the line from (x1, y1) to (x2, y2), both ends included, to
// `colour` in `pixels`, an array of `height` rows of `width` bytes. A line at
// least as wide as it is tall takes one pixel per column, a taller one one pixel
// per row; each pixel's other coordinate is the line's equation in double
// precision truncated toward zero. Pixels outside the array are skipped.
void DrawIndexedLine(int x1, int y1, int x2, int y2, std::uint8_t colour, std::uint8_t* pixels,
                     int width, int height);

}  // namespace bitmap_export
