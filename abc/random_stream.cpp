#include "abc/random_stream.h"

#include <cmath>
#include <numbers>

#include "batch/seed_derivation.h"

namespace abc {
namespace {

constexpr std::uint64_t kGoldenGamma = 0x9E3779B97F4A7C15ull;
constexpr int kMantissaShift = 11;           // 64 - 53 bits of a double's mantissa
constexpr double kMantissaUnit = 0x1.0p-53;  // 2^-53

}  // namespace

std::uint64_t RandomStream::Next() {
  state_ += kGoldenGamma;
  return batch::SplitMix64Mix(state_);
}

double RandomStream::Uniform() {
  return static_cast<double>(Next() >> kMantissaShift) * kMantissaUnit;
}

double RandomStream::Normal() {
  const double u1 = 1.0 - Uniform();  // in (0, 1]: the logarithm stays finite
  const double u2 = Uniform();
  return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
}

std::uint64_t RandomStream::Below(std::uint64_t count) {
  // The remainder of a draw below the largest multiple of count that 64 bits
  // hold; the few draws above it are drawn again, so every remainder is alike.
  const std::uint64_t excess = (0 - count) % count;  // 2^64 mod count
  while (true) {
    const std::uint64_t draw = Next();
    if (draw <= ~std::uint64_t{0} - excess) return draw % count;
  }
}

}  // namespace abc
