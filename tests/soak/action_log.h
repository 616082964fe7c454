// The actions of a walk so far, and the report of a failing one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/soak/model_checks.h"

namespace soak {

// Actions shown in full when a walk fails; earlier ones are only counted.
inline constexpr std::size_t kReportedTail = 50;

class ActionLog {
 public:
  void Add(std::string action) { actions_.push_back(std::move(action)); }
  std::size_t Size() const { return actions_.size(); }
  // Action number n (from 1) with its text, for the last `tail` actions.
  std::string Tail(std::size_t tail) const;

 private:
  std::vector<std::string> actions_;
};

// Everything needed to see and replay a failure: the seed, the number of the
// failing action, what broke, the last actions and how to run the walk again
// up to that action.
std::string FailureReport(std::uint32_t seed, std::size_t actionNumber,
                          const Violations& violations, const ActionLog& log);

}  // namespace soak
