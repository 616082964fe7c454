#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/run_arguments.h"

namespace run {

// The seed and arguments of a run read back from its series CSV.
struct SavedRun {
  std::int32_t seed = 0;
  model::RunArguments arguments{};
  // The file's five series as stored, series after series: value k of
  // series s at s * kStepCount + k.
  std::vector<float> series;
};

struct SavedRunReading {
  std::optional<SavedRun> run;
  std::string error;  // the first fault, naming its line and field, when run is empty
};

// Larger than any series CSV by far: a file over it is not one.
inline constexpr std::size_t kMaxSavedRunBytes = 1 << 20;

// Reads the text of a file written by WriteCsv (the window's "Save Series as
// CSV" or a single corvellan-run): the `# corvellan-run --seed S …` line, the
// header and the 101 rows of the five series, every one whole and in order,
// every value finite and in its series' range (the means in [0, 1], the
// rates, which are shares, in [0, 1] give or take rounding). The last line
// may lack its end. Options left out of the command take their defaults.
SavedRunReading ReadSavedRun(std::string_view text);

}  // namespace run
