#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "abc/abc_smc.h"
#include "abc/model_fit.h"
#include "model/run_arguments.h"

namespace abc {

// What repeats a fit: its observations' file, the settings it did not fit,
// the parameters it fitted with their priors, and how it sampled.
struct FitRequest {
  model::RunArguments arguments;  // every setting; the fitted ones are ignored
  std::vector<FittedParameter> fitted;
  FitSettings settings;
  std::string observedPath;
  bool allPopulations = false;
};

// `corvellan-run --seed S <options that differ from the defaults>
// --calibrate FILE --fit NAME=LOW:HIGH ... --particles N --budget B
// --quantile Q --final-tolerance T --min-acceptance A [--max-populations P]
// [--all-populations]`, every number in text that reads back as the same, so
// that it makes the same fit again.
std::string FitCommand(const FitRequest& request);

// A file path as one word of a POSIX shell: as it is when it holds nothing
// the shell reads specially, else in single quotes.
std::string ShellWord(std::string_view path);

// population,particle,tolerance,weight,distance,seed,<the fitted parameters>
void AppendFitCsvHeader(std::string& text, std::span<const FittedParameter> fitted);
// One row per particle, every number in its shortest round-trip text.
void AppendPopulationCsv(std::string& text, const Population& population);

// The whole table: the command as a "# " line, the end of the fit as
// another, the header and the final population's rows (or every
// population's).
std::string FitCsv(const FitRequest& request, const FitResult& result);

}  // namespace abc
