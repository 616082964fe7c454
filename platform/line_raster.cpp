#include "platform/line_raster.h"

#include <array>
#include <cstdlib>

namespace platform {
namespace {

// Octants are numbered 1 to 8 clockwise from the positive x axis, y growing
// downwards. Octants 3, 5, 6 and 8 are those whose minor coordinate decreases
// along the walk; there a bias of one makes a tie step early, so that ties land
// on the smaller minor coordinate whichever way the line runs.
constexpr std::array<int, 8> kOctantBias = {0, 0, 1, 0, 1, 1, 0, 1};

int OctantOf(int dx, int dy) {
  if (dy > 0) {
    if (dx > 0) {
      return dx > dy ? 1 : 2;
    }
    return -dx > dy ? 4 : 3;
  }
  if (dx < 0) {
    return -dx > -dy ? 5 : 6;
  }
  return dx > -dy ? 8 : 7;
}

int Sign(int value) {
  return value < 0 ? -1 : 1;
}

}  // namespace

std::vector<PixelPoint> LinePixels(PixelPoint from, PixelPoint to) {
  const int dx = to.x - from.x;
  const int dy = to.y - from.y;
  const bool xMajor = std::abs(dx) > std::abs(dy);
  const int major = xMajor ? std::abs(dx) : std::abs(dy);
  const int minor = xMajor ? std::abs(dy) : std::abs(dx);
  const int bias = kOctantBias[static_cast<std::size_t>(OctantOf(dx, dy) - 1)];
  const int stepX = Sign(dx);
  const int stepY = Sign(dy);

  std::vector<PixelPoint> pixels;
  pixels.reserve(static_cast<std::size_t>(major));
  PixelPoint at = from;
  int error = 2 * minor - major;
  for (int step = 0; step < major; ++step) {
    pixels.push_back(at);
    const bool minorStep = error + bias > 0;
    error += minorStep ? 2 * (minor - major) : 2 * minor;
    if (xMajor) {
      at.x += stepX;
      at.y += minorStep ? stepY : 0;
    } else {
      at.y += stepY;
      at.x += minorStep ? stepX : 0;
    }
  }
  return pixels;
}

}  // namespace platform
