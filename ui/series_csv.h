#pragma once

#include <array>
#include <string>

#include "model/result_series.h"
#include "ui/run_on_screen.h"

namespace ui {

using SeriesPointers = std::array<const float*, model::kSeriesCount>;

// The run as corvellan-run writes it in CSV: "# " and the re-run command, the
// header, then one row per step with 9 significant digits, enough to read
// back the same single-precision value. Every series must hold
// model::kStepCount values.
std::string SeriesCsv(const RunOnScreen& run, const SeriesPointers& series);

}  // namespace ui
