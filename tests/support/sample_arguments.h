#pragma once

#include <random>

#include "model/run_arguments.h"
#include "run_description/parameter_table.h"

namespace test_support {

// Every attribute Normal and sanctions on, no correlation.
inline model::RunArguments AllNormalUncorrelatedArguments() {
  model::RunArguments a = run::DefaultRunArguments();
  a.distR = a.distI = a.distT = a.distE = a.distRPrime = 1;
  a.valueI = 0.6;
  a.sigmaI = 0.15;
  a.sanctionsOn = 1;
  return a;
}

// Every attribute Normal, sanctions on, the correlations R & R', R & I and E & T
// applying (R' & I is then skipped by its own rule).
inline model::RunArguments AllNormalArguments() {
  model::RunArguments a = AllNormalUncorrelatedArguments();
  a.corrRRPrime = 0.3;
  a.corrRI = 0.5;
  a.corrET = -0.4;
  return a;
}

// Every parameter of the panel at a random trackbar position, every kind at
// random, sanctions as asked.
inline model::RunArguments RandomPanelArguments(std::mt19937& rng, int sanctionsOn) {
  const auto position = [&rng](int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng) * 0.01;
  };
  const auto kind = [&rng] { return std::uniform_int_distribution<int>(0, 2)(rng); };
  model::RunArguments a = run::DefaultRunArguments();
  a.paramJ = position(0, 100);
  a.paramX = position(-100, 100);
  a.distR = kind();
  a.medianR = position(0, 100);
  a.sigmaR = position(0, 35);
  a.distI = kind();
  a.valueI = position(0, 100);
  a.sigmaI = position(0, 20);
  a.distT = kind();
  a.valueT = position(0, 100);
  a.sigmaT = position(0, 20);
  a.distE = kind();
  a.valueE = position(0, 100);
  a.sigmaE = position(0, 20);
  a.sanctionsOn = sanctionsOn;
  a.distRPrime = kind();
  a.medianRPrime = position(0, 100);
  a.sigmaRPrime = position(0, 35);
  a.paramJPrime = position(0, 100);
  a.paramM = position(100, 200);
  a.corrRRPrime = position(-100, 100);
  a.corrRI = position(-100, 100);
  a.corrRPrimeI = position(-100, 100);
  a.corrET = position(-100, 100);
  a.requestedCountR = static_cast<int>(position(0, 100) * 100);
  a.requestedCountRPrime = static_cast<int>(position(0, 100) * 100);
  return a;
}

}  // namespace test_support
