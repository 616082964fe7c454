#pragma once

#include <cstddef>
#include <vector>

namespace batch {

// How a map of two axes refines itself: a coarse grid first, then finer ones,
// the last holding every position of both axes.

// Positions a coarse level at least this many to an axis when the axis has them.
inline constexpr std::size_t kCoarsestPositions = 11;

// One level: the positions of each axis it holds, ascending.
struct RefinementLevel {
  std::vector<std::size_t> x;
  std::vector<std::size_t> y;
};

// The strides of one axis of `positions` positions, coarse to fine: the first
// gives at least kCoarsestPositions positions, each next one is half the one
// before (rounded down) and the last is 1.
std::vector<std::size_t> RefinementStrides(std::size_t positions);

// Every stride-th position from 0, and always the last one.
std::vector<std::size_t> PositionsAtStride(std::size_t positions, std::size_t stride);

// The levels of a map of xPositions by yPositions, coarse to fine; an axis
// with fewer strides than the other keeps its finest stride.
std::vector<RefinementLevel> RefinementLevels(std::size_t xPositions, std::size_t yPositions);

}  // namespace batch
