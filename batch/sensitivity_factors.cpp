#include "batch/sensitivity_factors.h"

#include <algorithm>
#include <cmath>

#include "run_description/parameter_table.h"

namespace batch {
namespace {

bool FedByTrackbar(const run::ParameterRow& row) {
  return row.fedBy.feeder == run::Feeder::kTrackbar ||
         row.fedBy.feeder == run::Feeder::kTrackbarShare;
}

// The count the window passes for a share trackbar at position.
double CountAt(std::int32_t position, std::int32_t agentCount) {
  return static_cast<double>(
      static_cast<std::int32_t>(run::rows::PositionValue(position) * agentCount));
}

}  // namespace

std::vector<Factor> TrackbarFactors(const model::RunArguments& arguments) {
  std::vector<Factor> factors;
  const auto table = run::ParameterTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    const run::ParameterRow& row = table[i];
    if (!FedByTrackbar(row)) continue;
    const run::TrackbarRange range = row.panel.trackbar;
    if (row.fedBy.feeder == run::Feeder::kTrackbarShare) {
      factors.push_back({i, CountAt(range.minimum, arguments.agentCount),
                         CountAt(range.maximum, arguments.agentCount), true});
    } else {
      factors.push_back({i, run::rows::PositionValue(range.minimum),
                         run::rows::PositionValue(range.maximum), false});
    }
  }
  return factors;
}

std::string_view FactorName(const Factor& factor) {
  return run::ParameterTable()[factor.parameter].name;
}

double FactorValue(const Factor& factor, double unit) {
  if (!factor.discrete) return factor.lower + unit * (factor.upper - factor.lower);
  const double counts = factor.upper - factor.lower + 1.0;
  return factor.lower + std::min(std::floor(unit * counts), counts - 1.0);
}

void ApplyFactor(const Factor& factor, double unit, model::RunArguments& arguments) {
  run::SetParameterValue(run::ParameterTable()[factor.parameter], FactorValue(factor, unit),
                         arguments);
}

}  // namespace batch
