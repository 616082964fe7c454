#pragma once

#include <cstdint>
#include <string>

#include "model/run_arguments.h"

namespace run {

// "corvellan-run --seed S --paramJ 0.5 ... --slopeM 10": every parameter as an
// option, each value the shortest text that reads back as the same number.
std::string RerunCommand(std::int32_t seed, const model::RunArguments& arguments);

// The same run with only the options whose values differ from the defaults:
// shorter, and it repeats the run just as exactly.
std::string ShortRerunCommand(std::int32_t seed, const model::RunArguments& arguments);

}  // namespace run
