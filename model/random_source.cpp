#include "model/random_source.h"

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

}  // namespace model
