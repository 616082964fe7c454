#include "batch/seed_derivation.h"

namespace batch {
namespace {

constexpr std::uint64_t kGoldenGamma = 0x9E3779B97F4A7C15ull;
constexpr std::uint64_t kMixMultiplier1 = 0xBF58476D1CE4E5B9ull;
constexpr std::uint64_t kMixMultiplier2 = 0x94D049BB133111EBull;
constexpr int kMixShift1 = 30;
constexpr int kMixShift2 = 27;
constexpr int kMixShift3 = 31;

}  // namespace

std::uint64_t SeedStep(std::uint64_t state, std::uint64_t value) {
  return SplitMix64Mix(state + value + kGoldenGamma);
}

std::uint64_t SplitMix64Mix(std::uint64_t z) {
  z = (z ^ (z >> kMixShift1)) * kMixMultiplier1;
  z = (z ^ (z >> kMixShift2)) * kMixMultiplier2;
  return z ^ (z >> kMixShift3);
}

std::int32_t DeriveRunSeed(std::int32_t baseSeed, std::uint64_t point, std::uint64_t replicate) {
  const auto base = static_cast<std::uint64_t>(static_cast<std::uint32_t>(baseSeed));
  const std::uint64_t mixed = SeedStep(SeedStep(SeedStep(0, base), point), replicate);
  // Conversion of an out-of-range value to a signed type wraps since C++20.
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(mixed));
}

std::int32_t DeriveSharedRunSeed(std::int32_t baseSeed, std::uint64_t replicate) {
  const auto base = static_cast<std::uint64_t>(static_cast<std::uint32_t>(baseSeed));
  const std::uint64_t mixed = SeedStep(SeedStep(0, base), replicate);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(mixed));
}

std::string_view SeedDerivationText() {
  return "Replicate r (from 0) of grid point g (from 0) runs with the seed\n"
         "  seed = low 32 bits of step(step(step(0, S mod 2^32), g), r),\n"
         "         read as a signed 32-bit integer, where\n"
         "  step(h, v) = mix(h + v + 0x9E3779B97F4A7C15)   (arithmetic modulo 2^64)\n"
         "S is --seed and mix is the SplitMix64 finaliser:\n"
         "  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9;\n"
         "  z = (z ^ (z >> 27)) * 0x94D049BB133111EB;\n"
         "  mix(z) = z ^ (z >> 31).\n";
}

std::string_view SharedSeedDerivationText() {
  return "With --same-populations, replicate r of every grid point runs with the same seed\n"
         "  seed = low 32 bits of step(step(0, S mod 2^32), r),\n"
         "         read as a signed 32-bit integer,\n"
         "so that neighbouring grid points differ only by their parameters.\n";
}

}  // namespace batch
