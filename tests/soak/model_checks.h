// Invariants of the model after any run the window can make.
#pragma once

#include <string>
#include <vector>

#include "model/population_model.h"
#include "model/run_arguments.h"

namespace soak {

using Violations = std::vector<std::string>;

// Shares R and R' (finite; summing to 1 over their carriers when there are
// any; 0 for everyone else) and the five series (finite; the three means in
// [0, 1]) after a run with these arguments.
Violations CheckModel(const model::CPopulationModel& model, const model::RunArguments& arguments);

// How many agents carry R or R' after a run with these arguments: everyone
// when a correlation redraws the share, otherwise the requested count (at
// most the agent count).
int CarriersOfR(const model::RunArguments& arguments);
int CarriersOfRPrime(const model::RunArguments& arguments);

// True when one of the correlations R & R', R & I, R' & I redraws a share.
bool CorrelationRedrawsShares(const model::RunArguments& arguments);

}  // namespace soak
