#pragma once

#include <string>

#include "ui/run_on_screen.h"

namespace ui {

// Two lines over the graph: the seed of the run on screen, and the
// corvellan-run command that repeats it.
std::string SeedToolTip(const RunOnScreen& run);

}  // namespace ui
