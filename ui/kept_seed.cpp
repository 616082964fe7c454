#include "ui/kept_seed.h"

namespace ui {

void KeptSeed::Keep(bool keep, const std::optional<RunOnScreen>& run,
                    model::CPopulationModel& model) {
  kept_ = keep && run.has_value();
  if (kept_) {
    model.fixedSeed = run->seed;
  } else {
    model.fixedSeed.reset();
  }
}

}  // namespace ui
