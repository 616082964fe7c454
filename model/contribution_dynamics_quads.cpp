// The passes over the agents four at a time, built for x86-64-v3 (AVX2)
// without FMA and without contraction, so that every operation rounds as on
// the pair path. Only a processor of that level may reach this source's code.
#include "model/lane_passes.h"
#include "model/lane_quad.h"

namespace model::dynamics::v3 {

const LanePasses& QuadPasses() {
  return lanes_of::PassesOf<lanes::v3::QuadLanes>();
}

}  // namespace model::dynamics::v3
