#include "drawing/line_raster.h"

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

LineWalk::LineWalk(PixelPoint from, PixelPoint to) : at_(from) {
  const int dx = to.x - from.x;
  const int dy = to.y - from.y;
  const bool xMajor = std::abs(dx) > std::abs(dy);
  const PixelPoint stepX{Sign(dx), 0};
  const PixelPoint stepY{0, Sign(dy)};
  major_ = xMajor ? std::abs(dx) : std::abs(dy);
  minor_ = xMajor ? std::abs(dy) : std::abs(dx);
  majorStep_ = xMajor ? stepX : stepY;
  minorStep_ = xMajor ? stepY : stepX;
  bias_ = kOctantBias[static_cast<std::size_t>(OctantOf(dx, dy) - 1)];
  error_ = 2 * minor_ - major_;
  majorStepError_ = 2 * minor_;
  minorStepError_ = 2 * (minor_ - major_);
}

std::vector<PixelPoint> LinePixels(PixelPoint from, PixelPoint to) {
  LineWalk walk(from, to);
  std::vector<PixelPoint> pixels;
  pixels.reserve(static_cast<std::size_t>(walk.Length()));
  for (int step = 0; step < walk.Length(); ++step) {
    pixels.push_back(walk.Pixel());
    walk.Advance();
  }
  return pixels;
}

}  // namespace platform
