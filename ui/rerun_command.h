#pragma once

#include <string>

#include "ui/run_on_screen.h"

namespace ui {

// "corvellan-run --seed S --paramJ 0.5 ... --slopeM 10": every argument, in
// the runner's own words, so the line equals the first line of its output.
std::string RerunCommand(const RunOnScreen& run);

// The same run with only the options whose values differ from the runner's
// defaults: shorter, and it repeats the run just as exactly.
std::string ShortRerunCommand(const RunOnScreen& run);

}  // namespace ui
