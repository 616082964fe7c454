#pragma once

#include <string>

#include "ui/run_on_screen.h"

namespace ui {

// command in lines of about 60 characters, never parting an option from its
// value, each line but the last ending in " \" as a shell continues lines.
std::string WrapCommand(const std::string& command);

// Over the graph: the seed of the run on screen, then the corvellan-run
// command that repeats it, wrapped.
std::string SeedToolTip(const RunOnScreen& run);

}  // namespace ui
