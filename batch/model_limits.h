#pragma once

#include <span>
#include <string_view>

#include "model/run_limits.h"

namespace batch {

// The checks a run makes before it starts (model/run_limits.h). A batch
// applies them up front so that it refuses a grid before writing anything
// rather than failing half-way through.
using ModelLimit = model::RunLimit;

inline std::span<const ModelLimit> ModelLimits() {
  return model::kRunLimits;
}

// The limit that governs the argument called name, if the model checks it.
inline const ModelLimit* FindModelLimit(std::string_view name) {
  return model::FindRunLimit(name);
}

// Whether a value read from the command line (always a finite number) passes.
inline bool WithinModelLimit(const ModelLimit& limit, double value) {
  return !limit.Rejects(value);
}

}  // namespace batch
