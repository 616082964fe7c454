#include "abc/particle_seeds.h"

#include "batch/seed_derivation.h"

namespace abc {
namespace {

constexpr std::uint64_t kProposalTag = 0x6162632D736D6300ull;  // "abc-smc" in ASCII

}  // namespace

std::int32_t ParticleRunSeed(std::int32_t baseSeed, std::uint64_t population,
                             std::uint64_t proposal) {
  return batch::DeriveRunSeed(baseSeed, population, proposal);
}

std::uint64_t ProposalKey(std::int32_t baseSeed, std::uint64_t population, std::uint64_t proposal) {
  const auto base = static_cast<std::uint64_t>(static_cast<std::uint32_t>(baseSeed));
  using batch::SeedStep;
  return SeedStep(SeedStep(SeedStep(kProposalTag, base), population), proposal);
}

std::string_view ParticleSeedText() {
  return "Proposal j (from 0, accepted or not) of population t (from 0) runs with the seed\n"
         "replicate j of grid point t of a batch with the same --seed S would have:\n"
         "  seed = low 32 bits of step(step(step(0, S mod 2^32), t), j)\n"
         "(step and mix as for a batch). Its parameters come from a random stream keyed\n"
         "  key = step(step(step(0x6162632D736D6300, S mod 2^32), t), j),\n"
         "so each particle is one run: corvellan-run --seed <its seed>, its parameters and\n"
         "the fit's other settings repeat it.\n";
}

}  // namespace abc
