#pragma once

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

}  // namespace test_support
