#pragma once

#include <cstdint>

namespace abc {

// A stream of random numbers that depends on its key alone: the SplitMix64
// generator (batch/seed_derivation.h), with its uniform doubles taken from the
// top 53 bits and normal ones by the Box-Muller transform. Every proposal of a
// fit draws from a stream of its own, keyed by its place, so what it proposes
// does not depend on which thread asks or on how proposals are batched.
class RandomStream {
 public:
  explicit RandomStream(std::uint64_t key) : state_(key) {}

  std::uint64_t Next();
  // In [0, 1).
  double Uniform();
  // Standard normal.
  double Normal();
  // A whole number from 0 to count - 1, each alike (count > 0).
  std::uint64_t Below(std::uint64_t count);

 private:
  std::uint64_t state_;
};

}  // namespace abc
