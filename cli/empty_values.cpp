#include "cli/empty_values.h"

#include <CLI/CLI.hpp>
#include <algorithm>

namespace cli {

std::string EmptyValueRefusal(const CLI::App& app) {
  for (const CLI::Option* option : app.get_options()) {
    // A flag takes no value, so it has none to be empty.
    if (option->get_type_size_max() == 0) continue;
    const CLI::results_t& values = option->results();
    if (std::any_of(values.begin(), values.end(),
                    [](const std::string& value) { return value.empty(); })) {
      return option->get_name() + ": the value is empty; give one, or leave the option out";
    }
  }
  return {};
}

}  // namespace cli
