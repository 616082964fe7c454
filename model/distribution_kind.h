#pragma once

#include <array>
#include <string_view>

namespace model {

// How an attribute is given to the agents. The window holds kNotChosen until
// its initialisation has picked a kind; runs reject it without a message.
enum class DistributionKind : int {
  Constant = 0,
  Normal = 1,
  LogNormal = 2,
};

inline constexpr int kNotChosen = 3;

// The kinds' names as the window shows them, indexed by kind.
inline constexpr std::array<std::string_view, 3> kDistributionKindNames = {"Constant", "Normal",
                                                                           "Log-Normal"};

inline constexpr bool IsDistributionKind(int kind) {
  return kind >= static_cast<int>(DistributionKind::Constant) &&
         kind <= static_cast<int>(DistributionKind::LogNormal);
}

}  // namespace model
