#include "tests/soak/run_command.h"

#include <array>
#include <string_view>
#include <variant>

#include "tests/soak/text.h"

namespace soak {
namespace {

using model::RunArguments;

// Option name and argument, in the run entry's order.
struct RunOption {
  std::string_view name;
  std::variant<double RunArguments::*, int RunArguments::*> field;
};

constexpr std::array<RunOption, 29> kRunOptions = {{
    {"paramJ", &RunArguments::paramJ},
    {"paramX", &RunArguments::paramX},
    {"distR", &RunArguments::distR},
    {"medianR", &RunArguments::medianR},
    {"sigmaR", &RunArguments::sigmaR},
    {"distI", &RunArguments::distI},
    {"valueI", &RunArguments::valueI},
    {"sigmaI", &RunArguments::sigmaI},
    {"distT", &RunArguments::distT},
    {"valueT", &RunArguments::valueT},
    {"sigmaT", &RunArguments::sigmaT},
    {"distE", &RunArguments::distE},
    {"valueE", &RunArguments::valueE},
    {"sigmaE", &RunArguments::sigmaE},
    {"sanctionsOn", &RunArguments::sanctionsOn},
    {"distRPrime", &RunArguments::distRPrime},
    {"medianRPrime", &RunArguments::medianRPrime},
    {"sigmaRPrime", &RunArguments::sigmaRPrime},
    {"paramJPrime", &RunArguments::paramJPrime},
    {"paramM", &RunArguments::paramM},
    {"corrRRPrime", &RunArguments::corrRRPrime},
    {"corrRI", &RunArguments::corrRI},
    {"corrRPrimeI", &RunArguments::corrRPrimeI},
    {"corrET", &RunArguments::corrET},
    {"agentCount", &RunArguments::agentCount},
    {"requestedCountR", &RunArguments::requestedCountR},
    {"requestedCountRPrime", &RunArguments::requestedCountRPrime},
    {"reservedArg", &RunArguments::reservedArg},
    {"slopeM", &RunArguments::slopeM},
}};

}  // namespace

std::string RunCommand(const RunArguments& arguments, std::int32_t seed) {
  std::string command = Text("corvellan-run --seed ", seed);
  for (const RunOption& option : kRunOptions) {
    std::visit([&](auto field) { command += Text(" --", option.name, " ", arguments.*field); },
               option.field);
  }
  return command;
}

}  // namespace soak
