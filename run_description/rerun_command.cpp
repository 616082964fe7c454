#include "run_description/rerun_command.h"

#include <string_view>

#include "run_description/number_text.h"
#include "run_description/parameter_table.h"

namespace run {
namespace {

constexpr std::string_view kProgram = "corvellan-run";

std::string Option(std::string_view name, std::string_view value) {
  return " --" + std::string(name) + " " + std::string(value);
}

std::string SeedPart(std::int32_t seed) {
  return std::string(kProgram) + Option("seed", std::to_string(seed));
}

}  // namespace

std::string RerunCommand(std::int32_t seed, const model::RunArguments& arguments) {
  std::string command = SeedPart(seed);
  for (const ParameterRow& entry : ParameterTable()) {
    command += Option(entry.name, FormatRoundTrip(ParameterValue(entry, arguments)));
  }
  return command;
}

std::string ShortRerunCommand(std::int32_t seed, const model::RunArguments& arguments) {
  std::string command = SeedPart(seed);
  for (const ParameterRow& entry : ParameterTable()) {
    const double value = ParameterValue(entry, arguments);
    if (value != entry.defaultValue) command += Option(entry.name, FormatRoundTrip(value));
  }
  return command;
}

}  // namespace run
