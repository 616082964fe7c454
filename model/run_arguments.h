#pragma once

#include <cstdint>

namespace model {

// The 29 arguments of a run, in the order the run entry takes them.
struct RunArguments {
  double paramJ;
  double paramX;
  int distR;
  double medianR;
  double sigmaR;
  int distI;
  double valueI;
  double sigmaI;
  int distT;
  double valueT;
  double sigmaT;
  int distE;
  double valueE;
  double sigmaE;
  int sanctionsOn;
  int distRPrime;
  double medianRPrime;
  double sigmaRPrime;
  double paramJPrime;
  double paramM;
  double corrRRPrime;
  double corrRI;
  double corrRPrimeI;
  double corrET;
  std::int32_t agentCount;
  std::int32_t requestedCountR;
  std::int32_t requestedCountRPrime;
  std::int32_t reservedArg;
  std::int32_t slopeM;

  friend bool operator==(const RunArguments&, const RunArguments&) = default;
};

}  // namespace model
