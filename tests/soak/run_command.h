// A run of the window as a command line of the headless runner, to replay a
// model failure without the window.
#pragma once

#include <cstdint>
#include <string>

#include "model/run_arguments.h"

namespace soak {

// "corvellan-run --seed S --paramJ ... --slopeM 10", every value exact.
std::string RunCommand(const model::RunArguments& arguments, std::int32_t seed);

}  // namespace soak
