#pragma once

#include <cstdint>

#include "model/run_arguments.h"

namespace ui {

// What repeats the run whose series the graph shows: its seed and arguments.
struct RunOnScreen {
  std::int32_t seed;
  model::RunArguments arguments;
};

}  // namespace ui
