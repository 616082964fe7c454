#include "model/random_source.h"

#include <cmath>

namespace model {

// (kMultiplier * state) mod kModulus without overflowing 32 bits.
void CRandomSource::Step() {
  const std::int32_t k = state / kSchrageQuotient;
  state = kMultiplier * (state - k * kSchrageQuotient) - kSchrageRemainder * k;
  if (state < 0) state += kModulus;
}

void CRandomSource::Seed(std::int32_t seed) {
  // A multiple of the modulus would leave the generator stuck at 0, so it
  // starts like seed 0 does.
  state = (seed % kModulus == 0) ? 1 : seed;
  for (int j = kTableSize + kWarmUpSteps - 1; j >= 0; --j) {
    Step();
    if (j < kTableSize) shuffleTable[j] = state;
  }
  lastOutput = shuffleTable[0];
  hasSpareGaussian = 0;
}

double CRandomSource::Uniform() {
  Step();
  const int slot = lastOutput / kSlotDivisor;
  lastOutput = shuffleTable[slot];
  shuffleTable[slot] = state;
  const double u = lastOutput * kScale;
  return u > kUpperThreshold ? kCappedValue : u;
}

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
  const double f = std::sqrt(-2.0 * std::log(static_cast<double>(sf)) / sf);
  spareGaussian = static_cast<float>(x * f);
  hasSpareGaussian = 1;
  return y * f;
}

}  // namespace model
