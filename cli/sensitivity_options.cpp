#include "cli/sensitivity_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <limits>

#include "batch/sensitivity_seeds.h"
#include "model/result_series.h"
#include "run_description/number_text.h"

namespace cli {
namespace {

constexpr std::int32_t kMostBaseRows = 1 << 22;
constexpr std::int32_t kMostResamples = 100000;
constexpr std::int32_t kMostTrajectories = 1 << 20;
constexpr std::int32_t kFewestLevels = 2;
constexpr std::int32_t kMostLevels = 1000;
constexpr std::int32_t kMostReplicates = 1 << 16;
constexpr std::int32_t kLastStep = model::kStepCount - 1;
constexpr char kStepSeparator = ':';
constexpr char kRangeSeparator = ':';
constexpr char kListSeparator = ',';

// An integer option value within [minimum, maximum], or the option's default
// when it was not given.
std::string ReadCount(const char* option, const std::string& text, std::int32_t minimum,
                      std::int32_t maximum, std::int32_t& value) {
  if (text.empty()) return {};
  const run::ParsedInteger parsed = run::ParseInteger(text);
  std::string error = std::string(option) + ": ";
  if (!parsed.value) return error + parsed.error;
  if (*parsed.value < minimum || *parsed.value > maximum) {
    return error + text + " is outside " + std::to_string(minimum) + " to " +
           std::to_string(maximum);
  }
  value = *parsed.value;
  return {};
}

std::string ReadSeries(const std::string& text, int& series) {
  if (text.empty()) return {};
  for (int s = 0; s < model::kSeriesCount; ++s) {
    if (text == model::kSeriesNames[s]) {
      series = s;
      return {};
    }
  }
  std::string names;
  for (const char* name : model::kSeriesNames) names.append(names.empty() ? "" : ", ").append(name);
  return "--measure-series: " + run::Quoted(text) + " is none of " + names;
}

std::string ReadSteps(const std::string& text, batch::SeriesMeasure& measure) {
  if (text.empty()) return {};
  const std::string refusal =
      "--measure-steps: expected a step K or steps A:B with 0 <= A <= B <= " +
      std::to_string(kLastStep) + ", got " + run::Quoted(text);
  const std::size_t separator = text.find(kStepSeparator);
  const std::string_view whole(text);
  const run::ParsedInteger first = run::ParseInteger(whole.substr(0, separator));
  const run::ParsedInteger last =
      separator == std::string::npos ? first : run::ParseInteger(whole.substr(separator + 1));
  if (!first.value || !last.value || *first.value < 0 || *first.value > *last.value ||
      *last.value > kLastStep) {
    return refusal;
  }
  measure.first = *first.value;
  measure.last = *last.value;
  return {};
}

// Index into factors of the one called name, or factors.size().
std::size_t FindFactor(const std::vector<batch::Factor>& factors, std::string_view name) {
  const auto found = std::find_if(factors.begin(), factors.end(), [&](const batch::Factor& f) {
    return batch::FactorName(f) == name;
  });
  return static_cast<std::size_t>(found - factors.begin());
}

std::string TrackbarNames(const std::vector<batch::Factor>& factors) {
  std::string names;
  for (const batch::Factor& factor : factors) {
    names.append(names.empty() ? "" : ", ").append(batch::FactorName(factor));
  }
  return names;
}

std::string ReadFactorList(const std::string& text, const std::vector<batch::Factor>& all,
                           std::vector<batch::Factor>& chosen) {
  if (text.empty()) {
    chosen = all;
    return {};
  }
  std::vector<bool> taken(all.size());
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find(kListSeparator, start), text.size());
    const std::string name = text.substr(start, end - start);
    const std::size_t index = FindFactor(all, name);
    if (index == all.size()) {
      return "--factors: " + run::Quoted(name) + " is no trackbar parameter (" +
             TrackbarNames(all) + ")";
    }
    if (taken[index]) return "--factors: " + run::Quoted(name) + " is named twice";
    taken[index] = true;
    start = end + 1;
  }
  // In the table's order whatever the order given, so that the same set of
  // factors always makes the same design.
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (taken[i]) chosen.push_back(all[i]);
  }
  return {};
}

std::string ReadRange(const std::string& text, const std::vector<batch::Factor>& all,
                      std::vector<batch::Factor>& factors, std::vector<bool>& narrowed) {
  const std::string refusal = "--range: expected NAME=LOWER:UPPER, got " + run::Quoted(text);
  const std::size_t equals = text.find('=');
  const std::size_t colon = text.find(kRangeSeparator, equals == std::string::npos ? 0 : equals);
  if (equals == std::string::npos || colon == std::string::npos) return refusal;
  const std::string name = text.substr(0, equals);
  const std::size_t index = FindFactor(factors, name);
  if (index == factors.size()) {
    return "--range: " + run::Quoted(name) + " is not one of the factors (" +
           TrackbarNames(factors) + ")";
  }
  const std::string_view whole(text);
  const run::ParsedReal lower = run::ParseReal(whole.substr(equals + 1, colon - equals - 1));
  const run::ParsedReal upper = run::ParseReal(whole.substr(colon + 1));
  if (!lower.value || !upper.value) return refusal;
  const batch::Factor& widest = all[FindFactor(all, name)];
  batch::Factor& factor = factors[index];
  if (*lower.value > *upper.value || *lower.value < widest.lower || *upper.value > widest.upper) {
    std::string bounds;
    run::AppendRoundTrip(bounds, widest.lower);
    bounds += " to ";
    run::AppendRoundTrip(bounds, widest.upper);
    return "--range " + name + ": expected LOWER <= UPPER within the trackbar's " + bounds;
  }
  if (factor.discrete && (*lower.value != static_cast<std::int32_t>(*lower.value) ||
                          *upper.value != static_cast<std::int32_t>(*upper.value))) {
    return "--range " + name + ": a count of agents takes whole numbers";
  }
  factor.lower = *lower.value;
  factor.upper = *upper.value;
  narrowed[index] = factor.lower != widest.lower || factor.upper != widest.upper;
  return {};
}

std::string ReadMethod(const std::string& text, batch::SensitivityMethod& method) {
  if (text == "sobol") {
    method = batch::SensitivityMethod::kSobol;
  } else if (text == "morris") {
    method = batch::SensitivityMethod::kMorris;
  } else {
    return "--sensitivity: expected sobol or morris, got " + run::Quoted(text);
  }
  return {};
}

}  // namespace

std::string SensitivityHelp() {
  std::string help =
      "Sensitivity mode (--sensitivity sobol|morris) asks which of the 20 trackbar parameters "
      "drive a measure of one series (--measure-series, default firstOrderRate; "
      "--measure-steps K for its value at step K or A:B for its mean over steps A to B, "
      "default 100). Each factor is uniform over its trackbar range or the --range given (a "
      "share of agents as a whole number of agents); the distribution kinds, Sanctions and N "
      "stay as the other options set them. Sobol runs Saltelli's design (--samples N base "
      "rows, N * (factors + 3) points) and writes per factor the first-order index (Saltelli "
      "2010) and the total index (Jansen 1999) with 95% bootstrap intervals (--resamples); "
      "the population draw is a factor of its own, the row named seed, and its total index is "
      "the share of the measure's variance that is the luck of the draw. Morris runs "
      "--trajectories r on a --levels p grid, each trajectory with one seed, and writes mu, "
      "mu_star and sigma of the elementary effects, each the change in the measure for a "
      "step of p / (2 (p - 1)) of the factor's range. --point-replicates K averages K runs "
      "per point. --design-out FILE writes every run: place, factor values, seed and measure.\n\n";
  help.append(batch::SensitivitySeedText());
  return help;
}

void DefineSensitivityOptions(CLI::App& app, SensitivityOptions& options) {
  const auto detail = [&](const char* name, std::string& value, const char* help,
                          const char* type) {
    options.detailOptions.push_back(app.add_option(name, value, help)->type_name(type));
  };
  options.methodOption =
      app.add_option("--sensitivity", options.method,
                     "rank the trackbar parameters by Sobol indices or Morris screening")
          ->type_name("sobol|morris");
  detail("--samples", options.samples, "Sobol base rows N (default 1024)", "INTEGER");
  detail("--resamples", options.resamples, "Sobol bootstrap resamples (default 200)", "INTEGER");
  detail("--trajectories", options.trajectories, "Morris trajectories r (default 20)", "INTEGER");
  detail("--levels", options.levels, "Morris grid levels p, even (default 4)", "INTEGER");
  detail("--measure-series", options.series, "the series measured (default firstOrderRate)",
         "NAME");
  detail("--measure-steps", options.steps,
         "the value at step K or the mean over steps A to B (default 100)", "K|A:B");
  detail("--point-replicates", options.replicates,
         "runs per design point, their measures averaged (default 1)", "INTEGER");
  detail("--factors", options.factors, "the parameters varied (default all 20 trackbar ones)",
         "NAME,NAME,...");
  options.detailOptions.push_back(
      app.add_option("--range", options.ranges, "narrow a factor's range; repeatable")
          ->type_name("NAME=LOWER:UPPER")
          ->allow_extra_args(false));
  detail("--design-out", options.designOut,
         "also write every design run with its factors, seed and measure to FILE", "FILE");
}

bool SensitivityRequested(const SensitivityOptions& options) {
  return options.methodOption->count() > 0;
}

std::string StraySensitivityOption(const SensitivityOptions& options) {
  if (SensitivityRequested(options)) return {};
  for (const CLI::Option* option : options.detailOptions) {
    if (option->count() > 0) return option->get_name() + " works with --sensitivity only";
  }
  return {};
}

std::string ReadSensitivityPlan(const SensitivityOptions& options,
                                const model::RunArguments& arguments, std::int32_t seed,
                                batch::SensitivityPlan& plan) {
  plan = {};
  plan.context.arguments = arguments;
  plan.context.seed = seed;
  plan.measure = {model::kFirstOrderRate, kLastStep, kLastStep};
  std::int32_t baseRows = static_cast<std::int32_t>(plan.baseRows);
  std::int32_t resamples = static_cast<std::int32_t>(plan.resamples);
  std::int32_t trajectories = static_cast<std::int32_t>(plan.morris.trajectories);
  std::int32_t levels = plan.morris.levels;
  std::int32_t replicates = 1;
  if (std::string e = ReadMethod(options.method, plan.method); !e.empty()) return e;
  if (std::string e = ReadCount("--samples", options.samples, 1, kMostBaseRows, baseRows);
      !e.empty())
    return e;
  if (std::string e = ReadCount("--resamples", options.resamples, 0, kMostResamples, resamples);
      !e.empty())
    return e;
  if (std::string e =
          ReadCount("--trajectories", options.trajectories, 1, kMostTrajectories, trajectories);
      !e.empty())
    return e;
  if (std::string e = ReadCount("--levels", options.levels, kFewestLevels, kMostLevels, levels);
      !e.empty())
    return e;
  if (levels % 2 != 0) return "--levels: " + options.levels + " is odd; Morris's grid needs even";
  if (std::string e =
          ReadCount("--point-replicates", options.replicates, 1, kMostReplicates, replicates);
      !e.empty())
    return e;
  if (std::string e = ReadSeries(options.series, plan.measure.series); !e.empty()) return e;
  if (std::string e = ReadSteps(options.steps, plan.measure); !e.empty()) return e;
  const std::vector<batch::Factor> all = batch::TrackbarFactors(arguments);
  if (std::string e = ReadFactorList(options.factors, all, plan.context.factors); !e.empty())
    return e;
  plan.everyTrackbar = plan.context.factors.size() == all.size();
  plan.narrowed.assign(plan.context.factors.size(), false);
  for (const std::string& range : options.ranges) {
    if (std::string e = ReadRange(range, all, plan.context.factors, plan.narrowed); !e.empty())
      return e;
  }
  plan.baseRows = static_cast<std::size_t>(baseRows);
  plan.resamples = static_cast<std::uint64_t>(resamples);
  plan.morris.trajectories = static_cast<std::size_t>(trajectories);
  plan.morris.levels = levels;
  plan.context.replicates = static_cast<std::uint64_t>(replicates);
  return {};
}

}  // namespace cli
