#pragma once

#include <cstdint>

#include "model/math_calls.h"

namespace model {

// Minimal-standard congruential generator (multiplier 16807, modulus 2^31 - 1,
// Schrage's factorisation) behind a 32-entry Bays-Durham shuffle, with polar
// Box-Muller normal deviates. Some intermediates are single precision on purpose:
// the sequences must match the published ones bit for bit.
class CRandomSource {
 public:
  static constexpr std::int32_t kMultiplier = 16807;
  static constexpr std::int32_t kModulus = 2147483647;
  static constexpr std::int32_t kSchrageQuotient = 127773;  // kModulus / kMultiplier
  static constexpr std::int32_t kSchrageRemainder = 2836;   // kModulus % kMultiplier
  static constexpr int kTableSize = 32;
  static constexpr int kWarmUpSteps = 8;
  static constexpr std::int32_t kSlotDivisor = 67108864;  // 1 + (kModulus - 1) / kTableSize
  static constexpr double kScale = 1.0 / 2147483647.0;
  static constexpr double kUpperThreshold = 0.99999988;
  static constexpr double kCappedValue = 0.99999988079071044921875;  // 1 - 2^-23

  explicit CRandomSource(std::int32_t seed) { Seed(seed); }

  void Seed(std::int32_t seed);
  double Uniform();
  template <class Math = StandardMath>
  double Gaussian();

  std::int32_t state;
  std::int32_t lastOutput;
  std::int32_t shuffleTable[kTableSize];
  std::int32_t hasSpareGaussian;
  float spareGaussian;

 private:
  void Step();
};

template <class Math>
double CRandomSource::Gaussian() {
  if (hasSpareGaussian == 1) {
    hasSpareGaussian = 0;
    return spareGaussian;
  }
  float x;
  float y;
  float sf;
  for (;;) {
    x = static_cast<float>(2.0 * Uniform() - 1.0);
    const double yd = 2.0 * Uniform() - 1.0;
    y = static_cast<float>(yd);
    const double s = yd * y + static_cast<double>(x) * x;
    sf = static_cast<float>(s);
    if (s < 1.0 && sf != 0.0f) break;
  }
  const double f = Math::Sqrt(-2.0 * Math::Log(static_cast<double>(sf)) / sf);
  spareGaussian = static_cast<float>(x * f);
  hasSpareGaussian = 1;
  return y * f;
}

}  // namespace model
