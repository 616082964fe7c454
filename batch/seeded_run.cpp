#include "batch/seeded_run.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <string_view>

#include "batch/run_values.h"

namespace batch {

SeededRunner::SeededRunner() {
  model_.notice = [this](std::string_view message) { failedCheck_ = message; };
}

model::SeriesPointers SeededRunner::Run(const model::RunArguments& arguments, std::int32_t seed) {
  model_.fixedSeed = seed;
  failedCheck_.reset();
  try {
    model_.Run(arguments);
  } catch (const std::bad_alloc&) {
    throw std::runtime_error("not enough memory for " + std::to_string(arguments.agentCount) +
                             " agents");
  }
  if (failedCheck_) throw std::runtime_error(*failedCheck_);
  return model_.Series();
}

void SeededRunner::Run(const model::RunArguments& arguments, std::int32_t seed,
                       std::span<float> values) {
  const model::SeriesPointers series = Run(arguments, seed);
  for (int s = 0; s < model::kSeriesCount; ++s) {
    std::copy_n(series[s], model::kStepCount, values.begin() + ValueIndex(s, 0));
  }
}

}  // namespace batch
