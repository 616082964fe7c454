#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "batch/run_maker.h"
#include "model/population_model.h"
#include "model/result_series.h"
#include "model/run_arguments.h"

namespace batch {

// A model of one thread's own, with the notice of a failed check kept for the
// run that raised it (a model is not safe to share between threads). Every
// run of either program is made by one of these.
class SeededRunner : public RunMaker {
 public:
  SeededRunner();
  SeededRunner(const SeededRunner&) = delete;
  SeededRunner& operator=(const SeededRunner&) = delete;

  // Runs arguments with seed; the series stay valid until the next run.
  // Throws std::runtime_error naming the failed check, or the agent count
  // when there is not enough memory.
  model::SeriesPointers Run(const model::RunArguments& arguments, std::int32_t seed);

  // The same, with the series copied into values as run_values.h lays them out.
  void Run(const model::RunArguments& arguments, std::int32_t seed,
           std::span<float> values) override;

 private:
  model::CPopulationModel model_;
  std::optional<std::string> failedCheck_;
};

}  // namespace batch
