#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "batch/sensitivity_plan.h"
#include "model/run_arguments.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace cli {

// The options of sensitivity mode, as given on the command line.
struct SensitivityOptions {
  std::string method;
  std::string samples;
  std::string resamples;
  std::string trajectories;
  std::string levels;
  std::string series;
  std::string steps;
  std::string replicates;
  std::string factors;
  std::vector<std::string> ranges;
  std::string designOut;
  const CLI::Option* methodOption = nullptr;
  std::vector<const CLI::Option*> detailOptions;  // the rest: each needs --sensitivity
};

void DefineSensitivityOptions(CLI::App& app, SensitivityOptions& options);

// What --help says of sensitivity mode, in paragraphs of one line each.
std::string SensitivityHelp();

bool SensitivityRequested(const SensitivityOptions& options);

// Refuses a detail option given without --sensitivity; empty when none is.
std::string StraySensitivityOption(const SensitivityOptions& options);

// Reads the options into plan around the run arguments and base seed;
// returns the first refusal as one line without the program name, or an
// empty string.
std::string ReadSensitivityPlan(const SensitivityOptions& options,
                                const model::RunArguments& arguments, std::int32_t seed,
                                batch::SensitivityPlan& plan);

}  // namespace cli
