#pragma once

#include <cstdint>
#include <string_view>

namespace abc {

// The seed of the run of proposal j (from 0, counting every proposal the
// population made, accepted or not) of population t (from 0) in a fit with
// base seed S: the seed replicate j of grid point t of a batch with that base
// seed has (batch/seed_derivation.h),
//   seed = DeriveRunSeed(S, t, j).
// Every particle of a fit is therefore one run that `corvellan-run --seed
// <its seed>` repeats with its parameters and the fit's other settings.
std::int32_t ParticleRunSeed(std::int32_t baseSeed, std::uint64_t population,
                             std::uint64_t proposal);

// The key of the random stream (random_stream.h) from which proposal j of
// population t draws its parameters: the same three steps as the run's seed,
// started from a tag of their own instead of 0, all 64 bits kept:
//   key = step(step(step(0x6162632D736D6300, S mod 2^32), t), j).
std::uint64_t ProposalKey(std::int32_t baseSeed, std::uint64_t population, std::uint64_t proposal);

// The lines above as the help text and the README give them.
std::string_view ParticleSeedText();

}  // namespace abc
