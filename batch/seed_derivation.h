#pragma once

#include <cstdint>
#include <string_view>

namespace batch {

// The finalising mix of SplitMix64 (Steele, Lea and Flood; constants of Vigna's
// splitmix64.c): a bijection on 64 bits in which every input bit changes about
// half of the output bits.
std::uint64_t SplitMix64Mix(std::uint64_t z);

// step(h, v) below: absorbs value into the running hash state.
std::uint64_t SeedStep(std::uint64_t state, std::uint64_t value);

// Seed of replicate r at grid point g of a batch with base seed S:
//   step(h, v) = mix(h + v + 0x9E3779B97F4A7C15)   (all modulo 2^64)
//   seed       = low 32 bits of step(step(step(0, S mod 2^32), g), r),
//                read as a two's-complement 32-bit integer.
// Distinct (g, r) pairs get unrelated seeds, and the seed does not depend on
// the shard or the number of jobs.
std::int32_t DeriveRunSeed(std::int32_t baseSeed, std::uint64_t point, std::uint64_t replicate);

// Seed of replicate r at every grid point of a batch that runs the same
// populations at each point (the step on g left out):
//   seed = low 32 bits of step(step(0, S mod 2^32), r)
// Neighbouring points then differ only by their parameters, not by their draws.
std::int32_t DeriveSharedRunSeed(std::int32_t baseSeed, std::uint64_t replicate);

// The lines above as the help text and README give them.
std::string_view SeedDerivationText();
std::string_view SharedSeedDerivationText();

}  // namespace batch
