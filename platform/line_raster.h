#pragma once

#include <vector>

namespace platform {

struct PixelPoint {
  int x;
  int y;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// The pixels a one-pixel line from `from` towards `to` covers, in drawing
// order, without `to` itself. A Bresenham walk along the major axis; where the
// ideal line passes exactly between two pixels the one with the smaller minor
// coordinate is taken, whichever way the line runs, so a line and its reverse
// cover the same pixels apart from their end points. A zero-length line
// covers nothing.
std::vector<PixelPoint> LinePixels(PixelPoint from, PixelPoint to);

}  // namespace platform
