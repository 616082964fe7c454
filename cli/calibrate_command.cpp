#include "cli/calibrate_command.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <iostream>
#include <optional>
#include <system_error>

#include "abc/fit_table.h"
#include "abc/model_fit.h"
#include "cli/error_line.h"
#include "cli/interrupt_request.h"
#include "cli/progress_bar.h"
#include "cli/runner.h"
#include "cli/text_file.h"
#include "output/output_file.h"
#include "run_description/observed_data.h"
#include "run_description/parameter_table.h"

namespace cli {
namespace {

int Report(std::ostream& err, const std::string& message, int status) {
  WriteErrorLine(err, message);
  return status;
}

// Progress is for a person watching: only on the process's own standard
// error, and only when that is a terminal.
bool ShowsProgress(const std::ostream& err) {
  return &err == &std::cerr && isatty(STDERR_FILENO) == 1;
}

std::string ReadFits(const CalibrateOptions& options, const RunRequest& request,
                     std::vector<abc::FittedParameter>& fitted) {
  if (options.fits.empty()) return "--calibrate needs at least one --fit NAME";
  if (options.fits.size() > abc::kMaxFittedParameters) {
    return "--fit: at most " + std::to_string(abc::kMaxFittedParameters) +
           " parameters are fitted at once";
  }
  for (const std::string& text : options.fits) {
    abc::FittedParameter parameter;
    if (std::string e = abc::ReadFittedParameter(text, request.arguments, parameter); !e.empty()) {
      return "--fit " + e;
    }
    const std::string name(run::ParameterTable()[parameter.parameter].name);
    const bool twice = std::any_of(fitted.begin(), fitted.end(), [&](const auto& f) {
      return f.parameter == parameter.parameter;
    });
    if (twice) return "--fit: " + name + " is fitted twice";
    if (request.givenAsOption[parameter.parameter]) {
      return "--" + name + " sets what --fit " + name + " fits: give one of them";
    }
    fitted.push_back(parameter);
  }
  return {};
}

std::string ReadObserved(const std::string& path, run::ObservedData& observed) {
  const TextFileReading file = ReadTextFile(path, run::kMaxObservedDataBytes);
  if (!file.text) return "--calibrate " + path + ": cannot be read: " + file.error;
  run::ObservedDataReading read = run::ReadObservedData(*file.text);
  if (!read.data) return "--calibrate " + path + ": " + read.error;
  observed = std::move(*read.data);
  return {};
}

int Write(const std::string& text, const RunRequest& request, std::ostream& out,
          std::ostream& err) {
  if (request.outPath.empty()) {
    errno = 0;
    out << text;
    out.flush();
    if (out) return kExitSuccess;
    const std::string reason = errno != 0 ? std::system_category().message(errno) : "output error";
    return Report(err, output::FailureLine("standard output", reason), kExitFailure);
  }
  if (const output::WriteResult written = output::WriteWholeFile(request.outPath, text);
      !written.Written()) {
    return Report(err, output::FailureLine(request.outPath, written.reason), kExitFailure);
  }
  return kExitSuccess;
}

}  // namespace

int RunCalibrateCommand(const CalibrateOptions& options, const RunRequest& request, unsigned jobs,
                        std::ostream& out, std::ostream& err) {
  if (request.format != run::OutputFormat::kCsv) {
    return Report(err, "--calibrate writes CSV: leave out --format", kExitBadInput);
  }
  abc::FitRequest fit;
  fit.arguments = request.arguments;
  fit.observedPath = options.observedPath;
  fit.allPopulations = options.allPopulations;
  if (std::string e = ReadFitSettings(options, fit.settings); !e.empty()) {
    return Report(err, e, kExitBadInput);
  }
  fit.settings.seed = request.seed;
  if (std::string e = ReadFits(options, request, fit.fitted); !e.empty()) {
    return Report(err, e, kExitBadInput);
  }
  std::vector<abc::PriorRange> priors;
  for (const abc::FittedParameter& f : fit.fitted) priors.push_back(f.prior);
  if (std::string e = abc::FitSettingsRefusal(priors, fit.settings); !e.empty()) {
    return Report(err, e, kExitBadInput);
  }
  run::ObservedData observed;
  if (std::string e = ReadObserved(options.observedPath, observed); !e.empty()) {
    return Report(err, e, kExitBadInput);
  }

  const InterruptRequest interrupt;
  abc::ModelSimulator simulator(request.arguments, fit.fitted, observed.points, jobs,
                                interrupt.Flag());
  std::optional<ProgressBar> progress;
  if (ShowsProgress(err)) {
    progress.emplace(err, fit.settings.budget);
    simulator.SetProgress([&](std::uint64_t done) { progress->Update(done); });
  }
  const abc::FitResult result = abc::RunAbcSmc(priors, fit.settings, simulator);
  if (progress) progress->Finish();
  if (result.end == abc::FitEnd::kFailed) return Report(err, result.failure, kExitBadInput);
  const int written = Write(abc::FitCsv(fit, result), request, out, err);
  if (written != kExitSuccess) return written;
  if (result.end == abc::FitEnd::kStopped) {
    return Report(err,
                  "interrupted; " + std::to_string(result.populations.size()) +
                      " finished populations written",
                  kExitInterrupted);
  }
  return kExitSuccess;
}

}  // namespace cli
