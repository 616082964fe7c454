#include "ui/seed_tool_tip.h"

#include "run_description/rerun_command.h"

namespace ui {

std::string SeedToolTip(const RunOnScreen& run) {
  return "Seed " + std::to_string(run.seed) + " \u2014 repeat with:\n" +
         run::ShortRerunCommand(run.seed, run.arguments);
}

}  // namespace ui
