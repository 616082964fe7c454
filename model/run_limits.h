#pragma once

#include <array>
#include <limits>
#include <string_view>

#include "model/run_arguments.h"

namespace model {

inline constexpr std::string_view kMessageBadJ = "Inappropriate parameter J";
inline constexpr std::string_view kMessageBadX = "Inappropriate parameter X";
inline constexpr std::string_view kMessageBadN = "Inappropriate parameter N";

// One check a run makes before it starts: the argument, its inclusive bounds
// and the message a failure shows.
struct RunLimit {
  std::string_view argument;  // the field of RunArguments checked
  double (*value)(const RunArguments& arguments);
  double minimum;
  double maximum;
  std::string_view message;

  // Only a value beyond a bound fails (a not-a-number passes, as in the
  // comparisons the model has always made).
  constexpr bool Rejects(double v) const { return v < minimum || v > maximum; }
};

// The checks in the order a run makes them; batches apply the same ones up
// front.
inline constexpr std::array<RunLimit, 3> kRunLimits = {{
    {"paramJ", [](const RunArguments& a) { return a.paramJ; }, 0.0, 1.0, kMessageBadJ},
    {"paramX", [](const RunArguments& a) { return a.paramX; }, -1.0, 1.0, kMessageBadX},
    {"agentCount", [](const RunArguments& a) { return static_cast<double>(a.agentCount); }, 1.0,
     std::numeric_limits<double>::infinity(), kMessageBadN},
}};

// The limit on the argument called name, or nullptr when the model checks none.
constexpr const RunLimit* FindRunLimit(std::string_view name) {
  for (const RunLimit& limit : kRunLimits) {
    if (limit.argument == name) return &limit;
  }
  return nullptr;
}

}  // namespace model
