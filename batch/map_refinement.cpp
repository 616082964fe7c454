#include "batch/map_refinement.h"

#include <algorithm>

namespace batch {

std::vector<std::size_t> RefinementStrides(std::size_t positions) {
  const std::size_t gaps = positions > 1 ? positions - 1 : 0;
  constexpr std::size_t kCoarsestGaps = kCoarsestPositions - 1;
  // The widest stride that still leaves kCoarsestGaps gaps (counting the last
  // position, which every level holds).
  std::size_t stride = std::max<std::size_t>(1, gaps / kCoarsestGaps);
  std::vector<std::size_t> strides = {stride};
  while (stride > 1) {
    stride /= 2;
    strides.push_back(stride);
  }
  return strides;
}

std::vector<std::size_t> PositionsAtStride(std::size_t positions, std::size_t stride) {
  std::vector<std::size_t> chosen;
  if (positions == 0) return chosen;
  for (std::size_t p = 0; p < positions; p += stride) chosen.push_back(p);
  if (chosen.back() != positions - 1) chosen.push_back(positions - 1);
  return chosen;
}

std::vector<RefinementLevel> RefinementLevels(std::size_t xPositions, std::size_t yPositions) {
  const std::vector<std::size_t> xStrides = RefinementStrides(xPositions);
  const std::vector<std::size_t> yStrides = RefinementStrides(yPositions);
  const std::size_t count = std::max(xStrides.size(), yStrides.size());
  std::vector<RefinementLevel> levels;
  for (std::size_t level = 0; level < count; ++level) {
    const std::size_t xStride = xStrides[std::min(level, xStrides.size() - 1)];
    const std::size_t yStride = yStrides[std::min(level, yStrides.size() - 1)];
    levels.push_back(
        {PositionsAtStride(xPositions, xStride), PositionsAtStride(yPositions, yStride)});
  }
  return levels;
}

}  // namespace batch
