#include "ui/run_argument_names.h"

namespace ui {
namespace {

using model::RunArguments;

// The runner's defaults are the window's start-up values: trackbar positions
// times 0.01, every kind Constant, sanctions off, 100 agents, slope 10.
constexpr double kStep = 0.01;
constexpr double Position(int position) {
  return position * kStep;
}

constexpr double kConstant = 0;
constexpr double kOff = 0;
constexpr double kAgents = 100;
constexpr double kReserved = 0;
constexpr double kSlope = 10;

}  // namespace

constinit const std::array<RunArgumentName, kRunArgumentCount> kRunArgumentNames = {{
    {"paramJ", &RunArguments::paramJ, Position(50)},
    {"paramX", &RunArguments::paramX, Position(0)},
    {"distR", &RunArguments::distR, kConstant},
    {"medianR", &RunArguments::medianR, Position(50)},
    {"sigmaR", &RunArguments::sigmaR, Position(15)},
    {"distI", &RunArguments::distI, kConstant},
    {"valueI", &RunArguments::valueI, Position(100)},
    {"sigmaI", &RunArguments::sigmaI, Position(20)},
    {"distT", &RunArguments::distT, kConstant},
    {"valueT", &RunArguments::valueT, Position(50)},
    {"sigmaT", &RunArguments::sigmaT, Position(20)},
    {"distE", &RunArguments::distE, kConstant},
    {"valueE", &RunArguments::valueE, Position(50)},
    {"sigmaE", &RunArguments::sigmaE, Position(20)},
    {"sanctionsOn", &RunArguments::sanctionsOn, kOff},
    {"distRPrime", &RunArguments::distRPrime, kConstant},
    {"medianRPrime", &RunArguments::medianRPrime, Position(50)},
    {"sigmaRPrime", &RunArguments::sigmaRPrime, Position(15)},
    {"paramJPrime", &RunArguments::paramJPrime, Position(50)},
    {"paramM", &RunArguments::paramM, Position(100)},
    {"corrRRPrime", &RunArguments::corrRRPrime, Position(0)},
    {"corrRI", &RunArguments::corrRI, Position(0)},
    {"corrRPrimeI", &RunArguments::corrRPrimeI, Position(0)},
    {"corrET", &RunArguments::corrET, Position(0)},
    {"agentCount", &RunArguments::agentCount, kAgents},
    {"requestedCountR", &RunArguments::requestedCountR, kAgents},
    {"requestedCountRPrime", &RunArguments::requestedCountRPrime, kAgents},
    {"reservedArg", &RunArguments::reservedArg, kReserved},
    {"slopeM", &RunArguments::slopeM, kSlope},
}};

double RunArgumentValue(const RunArgumentName& row, const model::RunArguments& arguments) {
  return std::visit([&](auto field) { return static_cast<double>(arguments.*field); }, row.field);
}

}  // namespace ui
