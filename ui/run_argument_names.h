#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

#include "model/run_arguments.h"

namespace ui {

using RunArgumentField =
    std::variant<double model::RunArguments::*, std::int32_t model::RunArguments::*>;

// One argument of a run as corvellan-run names it, with the value the runner
// takes when the option is left out.
struct RunArgumentName {
  std::string_view name;
  RunArgumentField field;
  double runnerDefault;
};

inline constexpr std::size_t kRunArgumentCount = 29;

// The 29 arguments in the order the model takes them, which is also the order
// of the options in the runner's re-run command.
extern const std::array<RunArgumentName, kRunArgumentCount> kRunArgumentNames;

// The argument's value in arguments, widened to double.
double RunArgumentValue(const RunArgumentName& row, const model::RunArguments& arguments);

}  // namespace ui
