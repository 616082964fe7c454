#pragma once

namespace model {

// The most agents a pass of the dynamics works on at once (lane_quad.h).
inline constexpr int kWidestLaneCount = 4;

// The length of an array read in groups of laneCount agents: the count rounded
// up to a whole group. The dynamics keeps the extra agents at 0, so that they
// never act and add only +0.0 to a sum.
inline int PaddedCount(int count, int laneCount) {
  return (count + laneCount - 1) / laneCount * laneCount;
}

}  // namespace model
