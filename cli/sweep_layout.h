#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "batch/run_schedule.h"
#include "batch/schedule_design.h"
#include "batch/sweep_rows.h"
#include "run_description/series_writers.h"

namespace cli {

// How a batch lays its records out: a row per run or a summary per grid point.
using BatchLayout = batch::SweepLayout;

// What each line of record starts with, the same whatever its values: one
// line per step for CSV (up to and including "<step>,"), one for JSON.
inline std::vector<std::string> RecordLineOpenings(const batch::RunSchedule& schedule,
                                                   BatchLayout layout, run::OutputFormat format,
                                                   std::uint64_t record) {
  return batch::SweepRowOpenings(batch::ScheduleDesign(schedule, layout), format, record);
}

// The header a CSV of layout starts with; JSON Lines have none.
inline void AppendBatchHeader(std::string& text, BatchLayout layout, run::OutputFormat format) {
  batch::AppendSweepHeader(text, layout, format);
}

}  // namespace cli
