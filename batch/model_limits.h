#pragma once

#include <span>
#include <string_view>

#include "model/run_arguments.h"

namespace batch {

// The checks a run makes before it starts, in the order it makes them, with
// the message it shows. A batch applies them up front so that it refuses a
// grid before writing anything rather than failing half-way through.
struct ModelLimit {
  std::string_view argument;  // name in run::ParameterTable()
  double minimum;             // inclusive
  double maximum;             // inclusive
  std::string_view message;
};

std::span<const ModelLimit> ModelLimits();

// The limit that governs the argument called name, if the model checks it.
const ModelLimit* FindModelLimit(std::string_view name);

bool WithinModelLimit(const ModelLimit& limit, double value);

}  // namespace batch
