#pragma once

#include <optional>

#include "model/population_model.h"
#include "ui/run_on_screen.h"

namespace ui {

// "Keep This Seed": while kept, every run of the model takes the seed of the
// run that was on screen when it was kept, instead of the clock's.
class KeptSeed {
 public:
  // Keeping needs a run on screen; without one the seed is let go.
  void Keep(bool keep, const std::optional<RunOnScreen>& run, model::CPopulationModel& model);
  bool Kept() const { return kept_; }

 private:
  bool kept_ = false;
};

}  // namespace ui
