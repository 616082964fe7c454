#pragma once

#include <string>
#include <vector>

#include "abc/abc_smc.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace cli {

// The options of a fit to observed data, as given on the command line.
struct CalibrateOptions {
  std::string observedPath;
  std::vector<std::string> fits;
  std::string particles;
  std::string budget;
  std::string quantile;
  std::string finalTolerance;
  std::string minAcceptance;
  std::string maxPopulations;
  bool allPopulations = false;
  const CLI::Option* calibrateOption = nullptr;
  // Everything above but --calibrate itself, which needs --calibrate.
  std::vector<const CLI::Option*> fitOptions;
  const CLI::Option* particlesOption = nullptr;
  const CLI::Option* budgetOption = nullptr;
  const CLI::Option* quantileOption = nullptr;
  const CLI::Option* finalToleranceOption = nullptr;
  const CLI::Option* minAcceptanceOption = nullptr;
  const CLI::Option* maxPopulationsOption = nullptr;
};

void DefineCalibrateOptions(CLI::App& app, CalibrateOptions& options);

// What --help says of fitting, in paragraphs of one line each.
std::string CalibrateHelp();

bool CalibrateRequested(const CalibrateOptions& options);

// The refusal of a fit's option given without --calibrate, or empty.
std::string FitOptionWithoutCalibrate(const CalibrateOptions& options);

// The sampler's settings from the options, the defaults where none are given;
// returns the first refusal as one line, or an empty string.
std::string ReadFitSettings(const CalibrateOptions& options, abc::FitSettings& settings);

}  // namespace cli
