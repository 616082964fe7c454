#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "model/population_model.h"
#include "model/run_arguments.h"

namespace batch {

// A model of one thread's own, with the notice of a failed check kept for the
// run that raised it (a model is not safe to share between threads).
class SeededRunner {
 public:
  SeededRunner();
  SeededRunner(const SeededRunner&) = delete;
  SeededRunner& operator=(const SeededRunner&) = delete;

  // Runs arguments with seed and writes the five series into values as
  // run_values.h lays them out. Throws std::runtime_error naming the failed
  // check, or the agent count when there is not enough memory.
  void Run(const model::RunArguments& arguments, std::int32_t seed, std::span<float> values);

 private:
  model::CPopulationModel model_;
  std::optional<std::string> failedCheck_;
};

}  // namespace batch
