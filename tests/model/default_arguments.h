#pragma once

#include "model/run_arguments.h"

namespace model::testing {

// What the window passes at start-up: every slider at its default, all kinds
// Constant, sanctions off, 100 agents.
inline RunArguments DefaultArguments() {
  constexpr double kScale = 0.01;
  return RunArguments{
      .paramJ = 50 * kScale,
      .paramX = 0 * kScale,
      .distR = 0,
      .medianR = 50 * kScale,
      .sigmaR = 15 * kScale,
      .distI = 0,
      .valueI = 100 * kScale,
      .sigmaI = 20 * kScale,
      .distT = 0,
      .valueT = 50 * kScale,
      .sigmaT = 20 * kScale,
      .distE = 0,
      .valueE = 50 * kScale,
      .sigmaE = 20 * kScale,
      .sanctionsOn = 0,
      .distRPrime = 0,
      .medianRPrime = 50 * kScale,
      .sigmaRPrime = 15 * kScale,
      .paramJPrime = 50 * kScale,
      .paramM = 100 * kScale,
      .corrRRPrime = 0,
      .corrRI = 0,
      .corrRPrimeI = 0,
      .corrET = 0,
      .agentCount = 100,
      .requestedCountR = 100,
      .requestedCountRPrime = 100,
      .reservedArg = 0,
      .slopeM = 10,
  };
}

// Every attribute Normal, sanctions on, the correlations R & R', R & I and E & T
// applying (R' & I is then skipped by its own rule).
inline RunArguments AllNormalArguments() {
  RunArguments a = DefaultArguments();
  a.distR = a.distI = a.distT = a.distE = a.distRPrime = 1;
  a.valueI = 0.6;
  a.sigmaI = 0.15;
  a.sanctionsOn = 1;
  a.corrRRPrime = 0.3;
  a.corrRI = 0.5;
  a.corrET = -0.4;
  return a;
}

}  // namespace model::testing
