// How long and from which seed the soak walks, taken from the environment so a
// failing walk can be replayed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace soak {

inline constexpr const char* kSeedVariable = "CORVELLAN_SOAK_SEED";
inline constexpr const char* kActionsVariable = "CORVELLAN_SOAK_ACTIONS";

inline constexpr std::uint32_t kDefaultSeed = 20240917;
inline constexpr int kDefaultActions = 10'000;

struct SoakSettings {
  std::uint32_t seed = kDefaultSeed;
  int actions = kDefaultActions;
};

// The settings, or nothing with `error` set when a variable holds no valid
// number (a seed from 0 to 2^32 - 1, a positive action count).
std::optional<SoakSettings> SettingsFromEnvironment(std::string& error);

}  // namespace soak
