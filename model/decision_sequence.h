#pragma once

namespace model {

inline constexpr int kDecisionSeed = 1999;
inline constexpr int kDecisionMultiplier = 5;
inline constexpr int kDecisionModulus = 4096;

// The fixed sequence the agents decide against: d -> 5d mod 4096, yielding
// d / 4096. Every state is odd, so a draw is never 0 or 1.
class DecisionSequence {
 public:
  double Next() {
    state_ = (kDecisionMultiplier * state_) % kDecisionModulus;
    return static_cast<double>(state_) / kDecisionModulus;
  }
  int state() const { return state_; }

 private:
  int state_ = kDecisionSeed;
};

}  // namespace model
