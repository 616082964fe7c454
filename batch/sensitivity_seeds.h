#pragma once

#include <cstdint>
#include <string_view>

namespace batch {

// Where a seed of a sensitivity analysis is used. The two sides of a Sobol
// design (its matrices A and B) and Morris's trajectories draw populations;
// the other streams seed the analysis's own random choices.
enum class SeedStream : std::uint64_t {
  kSobolA = 0,
  kSobolB = 1,
  kMorrisTrajectory = 2,
  kBootstrap = 3,
  kMorrisLayout = 4,
};

// With step and mix as in seed_derivation.h and S the analysis's base seed:
//   stream seed  = step(step(0, S mod 2^32), stream)
//   run seed     = low 32 bits of step(step(stream seed, row), replicate),
//                  read as a signed 32-bit integer.
// Row j of matrix A runs with the seeds of stream A, row j of matrix B with
// those of stream B; A_B^i keeps the seeds of A's row, and the matrix that
// swaps the draw alone takes B's. Morris's trajectory t runs every point with
// the seeds of row t of its stream.
std::uint64_t DeriveStreamSeed(std::int32_t baseSeed, SeedStream stream);
std::int32_t DeriveSensitivitySeed(std::int32_t baseSeed, SeedStream stream, std::uint64_t row,
                                   std::uint64_t replicate);

// The lines above as the help text and README give them.
std::string_view SensitivitySeedText();

}  // namespace batch
