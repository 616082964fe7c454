#include "map/contour_segments.h"

#include <array>
#include <cmath>

namespace map {
namespace {

// The corners of a square, counter-clockwise from its lower left, and its
// edges: edge e joins corner e and corner e + 1 (mod 4).
constexpr int kCorners = 4;
constexpr std::array<int, kCorners> kCornerDx = {0, 1, 1, 0};
constexpr std::array<int, kCorners> kCornerDy = {0, 0, 1, 1};

struct EdgePair {
  int from;
  int to;
};

// The edges each pattern of corners above the level crosses (bit c for corner
// c), for the patterns with one piece; -1 ends the list.
constexpr std::array<std::array<EdgePair, 2>, 16> kPieces = {{
    {{{-1, -1}, {-1, -1}}},  // none above
    {{{3, 0}, {-1, -1}}},    // 0
    {{{0, 1}, {-1, -1}}},    // 1
    {{{3, 1}, {-1, -1}}},    // 0 1
    {{{1, 2}, {-1, -1}}},    // 2
    {{{-1, -1}, {-1, -1}}},  // 0 2: a saddle, below
    {{{0, 2}, {-1, -1}}},    // 1 2
    {{{3, 2}, {-1, -1}}},    // 0 1 2
    {{{2, 3}, {-1, -1}}},    // 3
    {{{0, 2}, {-1, -1}}},    // 0 3
    {{{-1, -1}, {-1, -1}}},  // 1 3: a saddle, below
    {{{1, 2}, {-1, -1}}},    // 0 1 3
    {{{1, 3}, {-1, -1}}},    // 2 3
    {{{0, 1}, {-1, -1}}},    // 0 2 3
    {{{3, 0}, {-1, -1}}},    // 1 2 3
    {{{-1, -1}, {-1, -1}}},  // all above
}};
constexpr int kSaddleLowerLeft = 0b0101;
constexpr int kSaddleLowerRight = 0b1010;

// The pieces of a saddle: the two corners on the side the centre is not on
// are cut off, each by the two edges that meet at it.
std::array<EdgePair, 2> SaddlePieces(int pattern, bool centreAbove) {
  const bool cutLowerLeftPair = (pattern == kSaddleLowerLeft) != centreAbove;
  // Cutting off corners 0 and 2 or corners 1 and 3.
  if (cutLowerLeftPair) return {{{3, 0}, {1, 2}}};
  return {{{0, 1}, {2, 3}}};
}

}  // namespace

std::vector<ContourSegment> ContourSegments(std::span<const double> values, std::size_t columns,
                                            std::size_t rows, double level) {
  std::vector<ContourSegment> segments;
  if (columns < 2 || rows < 2 || values.size() < columns * rows) return segments;
  for (std::size_t x = 0; x + 1 < columns; ++x) {
    for (std::size_t y = 0; y + 1 < rows; ++y) {
      std::array<double, kCorners> v{};
      bool finite = true;
      int pattern = 0;
      for (int c = 0; c < kCorners; ++c) {
        v[c] = values[(x + kCornerDx[c]) * rows + y + kCornerDy[c]];
        finite = finite && std::isfinite(v[c]);
        if (v[c] >= level) pattern |= 1 << c;
      }
      if (!finite) continue;
      const auto crossing = [&](int edge, double& px, double& py) {
        const int a = edge;
        const int b = (edge + 1) % kCorners;
        const double t = v[b] == v[a] ? 0.5 : (level - v[a]) / (v[b] - v[a]);
        px = static_cast<double>(x) + kCornerDx[a] + t * (kCornerDx[b] - kCornerDx[a]);
        py = static_cast<double>(y) + kCornerDy[a] + t * (kCornerDy[b] - kCornerDy[a]);
      };
      std::array<EdgePair, 2> pieces = kPieces[static_cast<std::size_t>(pattern)];
      if (pattern == kSaddleLowerLeft || pattern == kSaddleLowerRight) {
        const double centre = (v[0] + v[1] + v[2] + v[3]) / kCorners;
        pieces = SaddlePieces(pattern, centre >= level);
      }
      for (const EdgePair& piece : pieces) {
        if (piece.from < 0) continue;
        ContourSegment s{};
        crossing(piece.from, s.x0, s.y0);
        crossing(piece.to, s.x1, s.y1);
        segments.push_back(s);
      }
    }
  }
  return segments;
}

}  // namespace map
