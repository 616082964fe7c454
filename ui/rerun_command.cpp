#include "ui/rerun_command.h"

#include <array>
#include <charconv>

#include "ui/run_argument_names.h"

namespace ui {
namespace {

constexpr std::string_view kProgram = "corvellan-run";
constexpr std::size_t kNumberBufferSize = 32;

// The shortest text that reads back as the same double, as the runner writes it.
std::string RoundTripText(double value) {
  std::array<char, kNumberBufferSize> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return {buffer.data(), result.ptr};
}

std::string Option(std::string_view name, std::string_view value) {
  return " --" + std::string(name) + " " + std::string(value);
}

std::string SeedPart(const RunOnScreen& run) {
  return std::string(kProgram) + Option("seed", std::to_string(run.seed));
}

}  // namespace

std::string RerunCommand(const RunOnScreen& run) {
  std::string command = SeedPart(run);
  for (const RunArgumentName& row : kRunArgumentNames) {
    command += Option(row.name, RoundTripText(RunArgumentValue(row, run.arguments)));
  }
  return command;
}

std::string ShortRerunCommand(const RunOnScreen& run) {
  std::string command = SeedPart(run);
  for (const RunArgumentName& row : kRunArgumentNames) {
    const double value = RunArgumentValue(row, run.arguments);
    if (value != row.runnerDefault) {
      command += Option(row.name, RoundTripText(value));
    }
  }
  return command;
}

}  // namespace ui
