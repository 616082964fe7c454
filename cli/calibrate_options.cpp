#include "cli/calibrate_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <limits>

#include "abc/model_fit.h"
#include "abc/particle_seeds.h"
#include "batch/batch_counts.h"
#include "run_description/number_text.h"

namespace cli {
namespace {

// What a fit does unless told otherwise.
constexpr std::int32_t kDefaultParticles = 500;
constexpr std::int32_t kDefaultBudget = 100000;
constexpr double kDefaultQuantile = 0.5;
constexpr double kDefaultMinAcceptance = 0.01;

constexpr std::int32_t kFewestParticles = 2;
constexpr std::int32_t kMostParticles = 100000;
constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max();

// A decimal option value; the range is checked by the sampler's own refusal.
std::string ReadDecimal(const char* option, const std::string& text, double& value) {
  const run::ParsedReal parsed = run::ParseReal(text);
  if (!parsed.value) return std::string(option) + ": " + parsed.error;
  value = *parsed.value;
  return {};
}

struct DecimalOption {
  const CLI::Option* option;
  const char* name;
  const std::string* text;
  double* value;
};

const CLI::Option* AddValue(CLI::App& app, CalibrateOptions& options, const std::string& name,
                            std::string& value, const std::string& help, const char* type) {
  const CLI::Option* option = app.add_option(name, value, help)->type_name(type);
  options.fitOptions.push_back(option);
  return option;
}

}  // namespace

std::string CalibrateHelp() {
  std::string help =
      "Fitting (--calibrate FILE) finds which settings of up to " +
      std::to_string(abc::kMaxFittedParameters) +
      " trackbar parameters (--fit) reproduce observed data, as a posterior: a weighted "
      "population of particles, by approximate Bayesian computation with sequential Monte Carlo. "
      "FILE is a CSV with a step column and any of the five series' columns as a single run's "
      "CSV names them (such a CSV is observed data as it stands), for any steps 0 to 100, a "
      "missing value left empty or written NA. Each proposal is one run with the other settings "
      "of the command line; its distance is the root mean square, over the observed values, of "
      "the run's difference from them. Population 0 is drawn from the uniform priors; each "
      "later one keeps the proposals within its tolerance, the --quantile of the last "
      "population's distances, moving particles of the last by a normal step of twice their "
      "weighted covariance (counts by a rounded one) and weighting them by importance. The fit "
      "ends at the --final-tolerance, when a population accepts fewer than --min-acceptance of "
      "its proposals, after --max-populations, or when the --budget of runs cannot pay for "
      "another population. It writes CSV: the command that repeats the fit, how it ended, then "
      "population,particle,tolerance,weight,distance,seed and the fitted parameters, one row "
      "per particle of the final population (of every population with --all-populations). The "
      "output is the same whatever --jobs is; Ctrl-C writes the populations finished so far "
      "and exits with status 130.\n\n";
  help.append(abc::ParticleSeedText());
  return help;
}

void DefineCalibrateOptions(CLI::App& app, CalibrateOptions& options) {
  options.calibrateOption =
      app.add_option("--calibrate", options.observedPath,
                     "fit the --fit parameters to the observed data in FILE (see below)")
          ->type_name("FILE");
  options.fitOptions.push_back(
      app.add_option("--fit", options.fits,
                     "a trackbar parameter to fit, with a uniform prior over its trackbar range "
                     "or over LOW to HIGH within it (counts of agents as whole numbers); "
                     "repeatable, up to " +
                         std::to_string(abc::kMaxFittedParameters) + " times")
          ->type_name("NAME[=LOW:HIGH]")
          ->allow_extra_args(false)
          ->expected(1)
          ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll));
  options.particlesOption = AddValue(
      app, options, "--particles", options.particles,
      "particles of each population of a fit (default " + std::to_string(kDefaultParticles) + ")",
      "N");
  options.budgetOption =
      AddValue(app, options, "--budget", options.budget,
               "runs a fit may make at most (default " + std::to_string(kDefaultBudget) + ")", "N");
  options.quantileOption = AddValue(
      app, options, "--quantile", options.quantile,
      "a population's tolerance: this quantile of the last population's distances (default 0.5)",
      "Q");
  options.finalToleranceOption = AddValue(
      app, options, "--final-tolerance", options.finalTolerance,
      "end a fit with the population whose tolerance reaches this distance (default 0)", "D");
  options.minAcceptanceOption =
      AddValue(app, options, "--min-acceptance", options.minAcceptance,
               "end a fit with the population that accepts fewer than this share of its proposals "
               "(default 0.01)",
               "R");
  options.maxPopulationsOption =
      AddValue(app, options, "--max-populations", options.maxPopulations,
               "end a fit after this many populations (default: no limit)", "N");
  options.fitOptions.push_back(
      app.add_flag("--all-populations", options.allPopulations,
                   "write the particles of every population of a fit, not only the final one's"));
}

bool CalibrateRequested(const CalibrateOptions& options) {
  return options.calibrateOption->count() > 0;
}

std::string FitOptionWithoutCalibrate(const CalibrateOptions& options) {
  if (CalibrateRequested(options)) return {};
  for (const CLI::Option* option : options.fitOptions) {
    if (option->count() > 0) return option->get_name() + " belongs to a fit: give --calibrate FILE";
  }
  return {};
}

std::string ReadFitSettings(const CalibrateOptions& options, abc::FitSettings& settings) {
  settings.particles = kDefaultParticles;
  settings.budget = kDefaultBudget;
  settings.quantile = kDefaultQuantile;
  settings.finalTolerance = 0.0;
  settings.minAcceptance = kDefaultMinAcceptance;
  settings.maxPopulations = 0;
  std::int32_t count = 0;
  if (options.particlesOption->count() > 0) {
    if (std::string e = batch::ReadCount("--particles", options.particles, kFewestParticles,
                                         kMostParticles, count);
        !e.empty()) {
      return e;
    }
    settings.particles = static_cast<std::size_t>(count);
  }
  if (options.budgetOption->count() > 0) {
    if (std::string e = batch::ReadCount("--budget", options.budget, 1, kLargest, count);
        !e.empty()) {
      return e;
    }
    settings.budget = static_cast<std::uint64_t>(count);
  }
  if (options.maxPopulationsOption->count() > 0) {
    if (std::string e =
            batch::ReadCount("--max-populations", options.maxPopulations, 1, kLargest, count);
        !e.empty()) {
      return e;
    }
    settings.maxPopulations = static_cast<std::size_t>(count);
  }
  const DecimalOption decimals[] = {
      {options.quantileOption, "--quantile", &options.quantile, &settings.quantile},
      {options.finalToleranceOption, "--final-tolerance", &options.finalTolerance,
       &settings.finalTolerance},
      {options.minAcceptanceOption, "--min-acceptance", &options.minAcceptance,
       &settings.minAcceptance},
  };
  for (const DecimalOption& decimal : decimals) {
    if (decimal.option->count() == 0) continue;
    if (std::string e = ReadDecimal(decimal.name, *decimal.text, *decimal.value); !e.empty()) {
      return e;
    }
  }
  return {};
}

}  // namespace cli
