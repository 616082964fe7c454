#include "batch/sensitivity_seeds.h"

#include "batch/seed_derivation.h"

namespace batch {
std::uint64_t DeriveStreamSeed(std::int32_t baseSeed, SeedStream stream) {
  const auto base = static_cast<std::uint64_t>(static_cast<std::uint32_t>(baseSeed));
  return SeedStep(SeedStep(0, base), static_cast<std::uint64_t>(stream));
}

std::int32_t DeriveSensitivitySeed(std::int32_t baseSeed, SeedStream stream, std::uint64_t row,
                                   std::uint64_t replicate) {
  const std::uint64_t mixed =
      SeedStep(SeedStep(DeriveStreamSeed(baseSeed, stream), row), replicate);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(mixed));
}

std::string_view SensitivitySeedText() {
  return "Sensitivity runs take their seeds from streams of the base seed S:\n"
         "  stream(s) = step(step(0, S mod 2^32), s)\n"
         "  seed      = low 32 bits of step(step(stream(s), row), replicate)\n"
         "with step and mix as above; s is 0 for Sobol's matrix A, 1 for B, 2 for Morris's\n"
         "trajectories (row = trajectory). A_B^i keeps the seed of A's row; the matrix\n"
         "that swaps the draw alone (\"AB:seed\") takes B's.\n";
}

}  // namespace batch
