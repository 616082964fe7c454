#include "batch/sensitivity_plan.h"

#include "model/result_series.h"
#include "run_description/number_text.h"
#include "run_description/rerun_command.h"

namespace batch {
namespace {

void AppendOption(std::string& text, const char* name, const std::string& value) {
  text.append(" --").append(name).append(" ").append(value);
}

std::string StepsText(const SeriesMeasure& measure) {
  std::string text = std::to_string(measure.first);
  if (measure.last != measure.first) text.append(":").append(std::to_string(measure.last));
  return text;
}

void AppendFactors(std::string& text, const SensitivityPlan& plan) {
  const std::vector<Factor>& factors = plan.context.factors;
  if (!plan.everyTrackbar) {
    std::string names;
    for (const Factor& factor : factors) {
      if (!names.empty()) names += ',';
      names += FactorName(factor);
    }
    AppendOption(text, "factors", names);
  }
  for (std::size_t f = 0; f < factors.size(); ++f) {
    if (f >= plan.narrowed.size() || !plan.narrowed[f]) continue;
    std::string range(FactorName(factors[f]));
    range += '=';
    run::AppendRoundTrip(range, factors[f].lower);
    range += ':';
    run::AppendRoundTrip(range, factors[f].upper);
    AppendOption(text, "range", range);
  }
}

}  // namespace

std::string SensitivityCommand(const SensitivityPlan& plan) {
  std::string text = run::ShortRerunCommand(plan.context.seed, plan.context.arguments);
  const bool sobol = plan.method == SensitivityMethod::kSobol;
  AppendOption(text, "sensitivity", sobol ? "sobol" : "morris");
  if (sobol) {
    AppendOption(text, "samples", std::to_string(plan.baseRows));
    AppendOption(text, "resamples", std::to_string(plan.resamples));
  } else {
    AppendOption(text, "trajectories", std::to_string(plan.morris.trajectories));
    AppendOption(text, "levels", std::to_string(plan.morris.levels));
  }
  AppendOption(text, "measure-series", model::kSeriesNames[plan.measure.series]);
  AppendOption(text, "measure-steps", StepsText(plan.measure));
  AppendOption(text, "point-replicates", std::to_string(plan.context.replicates));
  AppendFactors(text, plan);
  return text;
}

}  // namespace batch
