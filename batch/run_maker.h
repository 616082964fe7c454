#pragma once

#include <cstdint>
#include <span>

#include "model/run_arguments.h"

namespace batch {

// Makes one seeded run; the engine gives each of its threads one of its own.
class RunMaker {
 public:
  virtual ~RunMaker() = default;
  // Writes the run's five series into values (run_values.h); throws
  // std::runtime_error when the run cannot be made.
  virtual void Run(const model::RunArguments& arguments, std::int32_t seed,
                   std::span<float> values) = 0;
};

}  // namespace batch
