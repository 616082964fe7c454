#pragma once

namespace model {

// How an attribute is given to the agents. The window holds kNotChosen until
// its initialisation has picked a kind; runs reject it without a message.
enum class DistributionKind : int {
  Constant = 0,
  Normal = 1,
  LogNormal = 2,
};

inline constexpr int kNotChosen = 3;

inline constexpr bool IsDistributionKind(int kind) {
  return kind >= static_cast<int>(DistributionKind::Constant) &&
         kind <= static_cast<int>(DistributionKind::LogNormal);
}

}  // namespace model
