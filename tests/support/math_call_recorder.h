#pragma once

#include <vector>

#include "model/population_model.h"
#include "model/run_arguments.h"

namespace test_support {

enum class MathFunction { kExp, kPow, kLog, kSqrt };

// One call of a transcendental function: its arguments (second unused but by
// pow) and the value it returned.
struct MathCall {
  MathFunction function;
  double first;
  double second;
  double result;
};

using MathCalls = std::vector<MathCall>;

// The transcendental functions of a run, each call appended to the log of
// the RecordMathCalls under way on this thread, if any.
struct RecordingMath {
  static double Exp(double x);
  static double Pow(double base, double exponent);
  static double Log(double x);
  static double Sqrt(double x);
};

// Runs model with the arguments through RecordingMath and returns, in order,
// every exp, pow, log and sqrt call the run made.
MathCalls RecordMathCalls(model::CPopulationModel& model, const model::RunArguments& arguments);

// Makes the call again with the standard function.
double Evaluate(const MathCall& call);

// The recorded calls split by function, each list in the order of the run,
// so that a replay loop makes them without dispatching on the function.
struct MathCallLists {
  std::vector<double> exps;
  std::vector<double> logs;
  std::vector<double> sqrts;
  std::vector<double> powBases;
  std::vector<double> powExponents;
};

MathCallLists SplitByFunction(const MathCalls& calls);

}  // namespace test_support
