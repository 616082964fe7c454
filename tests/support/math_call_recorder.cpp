#include "tests/support/math_call_recorder.h"

#include <cmath>

#include "model/population_run.h"

namespace test_support {
namespace {

thread_local MathCalls* recording = nullptr;

double Recorded(MathFunction function, double first, double second, double result) {
  if (recording != nullptr) recording->push_back({function, first, second, result});
  return result;
}

}  // namespace

double RecordingMath::Exp(double x) {
  return Recorded(MathFunction::kExp, x, 0.0, std::exp(x));
}

double RecordingMath::Pow(double base, double exponent) {
  return Recorded(MathFunction::kPow, base, exponent, std::pow(base, exponent));
}

double RecordingMath::Log(double x) {
  return Recorded(MathFunction::kLog, x, 0.0, std::log(x));
}

double RecordingMath::Sqrt(double x) {
  return Recorded(MathFunction::kSqrt, x, 0.0, std::sqrt(x));
}

MathCalls RecordMathCalls(model::CPopulationModel& model, const model::RunArguments& arguments) {
  MathCalls calls;
  MathCalls* const outer = recording;
  recording = &calls;
  model.RunWith<RecordingMath>(arguments);
  recording = outer;
  return calls;
}

double Evaluate(const MathCall& call) {
  switch (call.function) {
    case MathFunction::kExp:
      return std::exp(call.first);
    case MathFunction::kPow:
      return std::pow(call.first, call.second);
    case MathFunction::kLog:
      return std::log(call.first);
    case MathFunction::kSqrt:
      return std::sqrt(call.first);
  }
  return std::nan("");
}

MathCallLists SplitByFunction(const MathCalls& calls) {
  MathCallLists lists;
  for (const MathCall& call : calls) {
    switch (call.function) {
      case MathFunction::kExp:
        lists.exps.push_back(call.first);
        break;
      case MathFunction::kPow:
        lists.powBases.push_back(call.first);
        lists.powExponents.push_back(call.second);
        break;
      case MathFunction::kLog:
        lists.logs.push_back(call.first);
        break;
      case MathFunction::kSqrt:
        lists.sqrts.push_back(call.first);
        break;
    }
  }
  return lists;
}

}  // namespace test_support
