#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "model/run_arguments.h"

namespace batch {

// A parameter that a sensitivity analysis varies, uniformly over [lower,
// upper]: a value for a parameter a trackbar sets directly, a whole number of
// agents for one set as a share of the agent count (each count in the range
// equally likely).
struct Factor {
  std::size_t parameter = 0;  // index in run::ParameterTable()
  double lower = 0.0;
  double upper = 0.0;
  bool discrete = false;
};

// Every parameter a trackbar feeds, over its whole trackbar range, in the
// order of run::ParameterTable(); the counts from the shares of
// arguments.agentCount as the window truncates them.
std::vector<Factor> TrackbarFactors(const model::RunArguments& arguments);

// The factor's option name ("paramJ", "requestedCountR").
std::string_view FactorName(const Factor& factor);

// The value unit (in [0, 1]) stands for: lower + unit * (upper - lower), or
// for a count the unit's share of the counts lower..upper.
double FactorValue(const Factor& factor, double unit);

// Sets factor's parameter in arguments to the value unit stands for.
void ApplyFactor(const Factor& factor, double unit, model::RunArguments& arguments);

}  // namespace batch
