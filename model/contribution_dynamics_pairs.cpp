// The passes over the agents two at a time: SSE2 on x86-64, which every
// x86-64 processor has; two plain doubles elsewhere.
#include "model/lane_pair.h"
#include "model/lane_passes.h"

namespace model::dynamics {

const LanePasses& PairPasses() {
  return lanes_of::PassesOf<lanes::PairLanes>();
}

}  // namespace model::dynamics
