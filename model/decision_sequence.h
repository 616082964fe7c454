#pragma once

#include <array>

namespace model {

inline constexpr unsigned kDecisionSeed = 1999;
inline constexpr unsigned kDecisionMultiplier = 5;
inline constexpr unsigned kDecisionModulus = 4096;
inline constexpr unsigned kDecisionPeriod = 1024;  // draws before the sequence repeats

// The fixed sequence the agents decide against: d -> 5d mod 4096, yielding
// d / 4096. Every state is odd, so a draw is never 0 or 1.
class DecisionSequence {
 public:
  double Next() {
    // Unsigned, so the remainder by a power of two is a mask.
    state_ = (kDecisionMultiplier * state_) % kDecisionModulus;
    return static_cast<double>(state_) / kDecisionModulus;
  }
  int state() const { return static_cast<int>(state_); }

 private:
  unsigned state_ = kDecisionSeed;
};

// The draws of one period, in order: every run takes the same draws, so a run
// reads them from this table instead of stepping the sequence.
class DecisionTable {
 public:
  DecisionTable() {
    DecisionSequence sequence;
    for (double& draw : draws_) draw = sequence.Next();
  }
  // Draw number n of a run, counting from 0.
  double operator[](unsigned n) const { return draws_[n % kDecisionPeriod]; }

 private:
  std::array<double, kDecisionPeriod> draws_;
};

}  // namespace model
