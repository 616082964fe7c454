#include "abc/fit_table.h"

#include <algorithm>

#include "run_description/number_text.h"
#include "run_description/output_text.h"
#include "run_description/parameter_table.h"
#include "run_description/rerun_command.h"

namespace abc {
namespace {

// Characters a shell reads as themselves anywhere in a word.
constexpr std::string_view kPlainCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_./+-,:@%";

// The settings with every fitted parameter at its default: the fit sets them.
model::RunArguments UnfittedArguments(const FitRequest& request) {
  model::RunArguments arguments = request.arguments;
  for (const FittedParameter& fitted : request.fitted) {
    const run::ParameterRow& row = run::ParameterTable()[fitted.parameter];
    run::SetParameterValue(row, row.defaultValue, arguments);
  }
  return arguments;
}

void AppendOption(std::string& text, std::string_view name, double value) {
  text.append(" --").append(name).append(1, ' ');
  run::AppendRoundTrip(text, value);
}

// Counts as whole numbers: the shortest text of 300000.0 is "3e+05".
void AppendCountOption(std::string& text, std::string_view name, std::uint64_t value) {
  text.append(" --").append(name).append(1, ' ');
  run::AppendInteger(text, value);
}

}  // namespace

std::string ShellWord(std::string_view path) {
  const bool plain =
      !path.empty() && path.find_first_not_of(kPlainCharacters) == std::string_view::npos;
  if (plain) return std::string(path);
  std::string word = "'";
  for (const char c : path) {
    if (c == '\'') {
      word += "'\\''";
    } else {
      word += c;
    }
  }
  return word + "'";
}

std::string FitCommand(const FitRequest& request) {
  std::string text = run::ShortRerunCommand(request.settings.seed, UnfittedArguments(request));
  text.append(" --calibrate ").append(ShellWord(request.observedPath));
  for (const FittedParameter& fitted : request.fitted) {
    text.append(" --fit ").append(FittedParameterText(fitted));
  }
  const FitSettings& s = request.settings;
  AppendCountOption(text, "particles", s.particles);
  AppendCountOption(text, "budget", s.budget);
  AppendOption(text, "quantile", s.quantile);
  AppendOption(text, "final-tolerance", s.finalTolerance);
  AppendOption(text, "min-acceptance", s.minAcceptance);
  if (s.maxPopulations != 0) AppendCountOption(text, "max-populations", s.maxPopulations);
  if (request.allPopulations) text += " --all-populations";
  return text;
}

void AppendFitCsvHeader(std::string& text, std::span<const FittedParameter> fitted) {
  text += "population,particle,tolerance,weight,distance,seed";
  for (const FittedParameter& f : fitted)
    text.append(1, ',').append(run::ParameterTable()[f.parameter].name);
  text += '\n';
}

void AppendPopulationCsv(std::string& text, const Population& population) {
  for (std::size_t i = 0; i < population.particles.size(); ++i) {
    const Particle& particle = population.particles[i];
    run::AppendInteger(text, static_cast<std::uint64_t>(population.index));
    text += ',';
    run::AppendInteger(text, static_cast<std::uint64_t>(i));
    for (const double value : {population.tolerance, particle.weight, particle.distance}) {
      text += ',';
      run::AppendRoundTrip(text, value);
    }
    text += ',';
    run::AppendInteger(text, particle.seed);
    for (const double value : particle.theta) {
      text += ',';
      run::AppendRoundTrip(text, value);
    }
    text += '\n';
  }
}

std::string FitCsv(const FitRequest& request, const FitResult& result) {
  std::string text = "# " + FitCommand(request) + '\n';
  text += "# ended: " + DescribeFitEnd(result.end) + "; ";
  run::AppendInteger(text, result.simulations);
  text += " simulations, ";
  run::AppendInteger(text, static_cast<std::uint64_t>(result.populations.size()));
  text += " populations\n";
  AppendFitCsvHeader(text, request.fitted);
  if (result.populations.empty()) return text;
  if (!request.allPopulations) {
    AppendPopulationCsv(text, result.populations.back());
    return text;
  }
  for (const Population& population : result.populations) AppendPopulationCsv(text, population);
  return text;
}

}  // namespace abc
