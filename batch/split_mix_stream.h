#pragma once

#include <cstdint>

#include "batch/seed_derivation.h"

namespace batch {

// A seeded stream of 64-bit numbers (SplitMix64: a counter stepped by the
// golden gamma, each value mixed), for the random choices of an analysis
// (bootstrap resamples, Morris trajectories): the same seed gives the same
// choices on every platform, unlike the standard library's distributions.
class SplitMixStream {
 public:
  explicit SplitMixStream(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    state_ += kGoldenGamma;
    return SplitMix64Mix(state_);
  }

  // A whole number below bound (bound > 0), by Lemire's multiply-shift; its
  // bias, at most bound / 2^64, is far below anything an analysis resolves.
  std::uint64_t Below(std::uint64_t bound) {
    return static_cast<std::uint64_t>((static_cast<Wide>(Next()) * bound) >> kWordBits);
  }

 private:
  __extension__ using Wide = unsigned __int128;  // GCC's and Clang's 128-bit product
  static constexpr std::uint64_t kGoldenGamma = 0x9E3779B97F4A7C15ull;
  static constexpr int kWordBits = 64;
  std::uint64_t state_;
};

}  // namespace batch
