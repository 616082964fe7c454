#include "cli/runner.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "batch/seeded_run.h"
#include "cli/batch_command.h"
#include "cli/batch_options.h"
#include "cli/calibrate_command.h"
#include "cli/calibrate_options.h"
#include "cli/dynamics_path_choice.h"
#include "cli/empty_values.h"
#include "cli/error_line.h"
#include "cli/help_formatter.h"
#include "cli/overlay_options.h"
#include "cli/sensitivity_command.h"
#include "cli/sensitivity_options.h"
#include "model/population_model.h"
#include "model/result_series.h"
#include "output/output_file.h"
#include "run_description/number_text.h"
#include "run_description/parameter_table.h"
#include "run_description/series_writers.h"

#ifndef CORVELLAN_VERSION
#define CORVELLAN_VERSION "unknown"
#endif

namespace cli {
namespace {

// The comment line keeps every CSV reproducible; readers skip it when told to.
constexpr std::string_view kReadingHelp =
    "A single run's CSV begins with a comment line holding the command that repeats the run. "
    "Tell your reader to skip it: pandas.read_csv(path, comment='#'), or in R "
    "read.csv(path, comment.char = \"#\"). --format jsonl needs no such option: "
    "pandas.read_json(path, lines=True).\n";

struct Options {
  std::vector<std::string> argumentTexts = std::vector<std::string>(run::ParameterTable().size());
  std::vector<CLI::Option*> argumentOptions;
  std::string seed;
  std::string format = "csv";
  std::string outPath;
  BatchOptions batch;
  OverlayOptions overlay;
  SensitivityOptions sensitivity;
  CalibrateOptions calibrate;
};

const char* TypeName(run::ValueType type) {
  switch (type) {
    case run::ValueType::kReal:
      return "NUMBER";
    case run::ValueType::kInteger:
      return "INTEGER";
    case run::ValueType::kKind:
      return "0|1|2";
    case run::ValueType::kFlag:
      return "0|1";
  }
  return "VALUE";
}

void DefineOptions(CLI::App& app, Options& options) {
  app.set_version_flag("--version", std::string(kProgramName) + " " + CORVELLAN_VERSION + "\n" +
                                        DescribeDynamicsPath());
  for (std::size_t i = 0; i < run::ParameterTable().size(); ++i) {
    const run::ParameterRow& entry = run::ParameterTable()[i];
    const std::string help = std::string(entry.meaning) + " (" + DescribeBounds(entry) + ")";
    options.argumentOptions.push_back(
        app.add_option("--" + std::string(entry.name), options.argumentTexts[i], help)
            ->type_name(TypeName(entry.type)));
  }
  app.add_option("--seed", options.seed,
                 "seed of the random source, any 32-bit integer (default: the clock in seconds)")
      ->type_name("INTEGER");
  app.add_option("--format", options.format,
                 "output format (default csv): csv; json, one object; jsonl, JSON Lines with "
                 "one flat object per step, a table for pandas.read_json(path, lines=True) "
                 "(a single run only)")
      ->check(CLI::IsMember({"csv", "json", "jsonl"}));
  app.add_option("--out", options.outPath, "write to FILE instead of standard output")
      ->type_name("FILE");
  DefineBatchOptions(app, options.batch);
  DefineOverlayOptions(app, options.overlay);
  DefineSensitivityOptions(app, options.sensitivity);
  DefineCalibrateOptions(app, options.calibrate);
}

// Fills arguments from the options given; returns the first refusal.
std::string ReadArguments(const Options& options, model::RunArguments& arguments) {
  arguments = run::DefaultRunArguments();
  for (std::size_t i = 0; i < run::ParameterTable().size(); ++i) {
    if (options.argumentOptions[i]->count() == 0) continue;
    std::string error =
        run::ApplyArgument(run::ParameterTable()[i], options.argumentTexts[i], arguments);
    if (!error.empty()) return error;
  }
  return {};
}

std::string ReadSeed(const Options& options, std::int32_t& seed) {
  if (options.seed.empty()) {
    seed = model::ClockSeed();
    return {};
  }
  const run::ParsedInteger parsed = run::ParseInteger(options.seed);
  if (!parsed.value) return "--seed: " + parsed.error;
  seed = *parsed.value;
  return {};
}

// The text on standard output, checked: a full disk or a closed descriptor is
// a failure, not a success.
int WriteToStandardOutput(std::ostream& out, std::ostream& err, const std::string& text) {
  errno = 0;
  out << text;
  out.flush();
  if (out) return kExitSuccess;
  const std::string reason = errno != 0 ? std::system_category().message(errno) : "output error";
  WriteErrorLine(err, output::FailureLine("standard output", reason));
  return kExitFailure;
}

// Writes the outcome's line, when it has one; true when the run goes on.
bool Proceeds(const OverlayOutcome& outcome, std::ostream& err) {
  if (!outcome.message.empty()) WriteErrorLine(err, outcome.message);
  return outcome.status == kExitSuccess;
}

int Refuse(std::ostream& err, const std::string& message) {
  WriteErrorLine(err, message);
  return kExitBadInput;
}

run::OutputFormat FormatOf(const Options& options) {
  if (options.format == "json") return run::OutputFormat::kJson;
  if (options.format == "jsonl") return run::OutputFormat::kJsonLines;
  return run::OutputFormat::kCsv;
}

void WriteRun(std::ostream& out, run::OutputFormat format, const run::RunRecord& record) {
  switch (format) {
    case run::OutputFormat::kCsv:
      return run::WriteCsv(out, record);
    case run::OutputFormat::kJson:
      return run::WriteJson(out, record);
    case run::OutputFormat::kJsonLines:
      return run::WriteJsonLines(out, record);
  }
}

RunRequest RequestOf(const Options& options, const model::RunArguments& arguments,
                     std::int32_t seed) {
  RunRequest request{arguments,      {}, seed, !options.seed.empty(), FormatOf(options),
                     options.outPath};
  for (const CLI::Option* option : options.argumentOptions) {
    request.givenAsOption.push_back(option->count() > 0);
  }
  return request;
}

int RunBatch(const Options& options, const model::RunArguments& arguments, std::int32_t seed,
             std::ostream& out, std::ostream& err) {
  return RunBatchCommand(options.batch, RequestOf(options, arguments, seed), out, err);
}

// A fit takes the place of the single run or the batch.
int RunCalibrate(const Options& options, const model::RunArguments& arguments, std::int32_t seed,
                 std::ostream& out, std::ostream& err) {
  if (BatchRequested(options.batch) || OverlayRequested(options.overlay)) {
    return Refuse(err,
                  "--calibrate runs a fit of its own: leave out the batch and overlay options");
  }
  BatchSettings settings;
  if (std::string e = ReadBatchSettings(options.batch, settings); !e.empty()) return Refuse(err, e);
  return RunCalibrateCommand(options.calibrate, RequestOf(options, arguments, seed), settings.jobs,
                             out, err);
}

// Sensitivity mode takes the run options as its context and --jobs, --seed,
// --format and --out as a batch does; the other modes' options are refused.
int RunSensitivity(const Options& options, const model::RunArguments& arguments, std::int32_t seed,
                   std::ostream& out, std::ostream& err) {
  const BatchOptions& batchOptions = options.batch;
  if (!batchOptions.sweeps.empty() || batchOptions.replicatesOption->count() > 0 ||
      batchOptions.summary || OverlayRequested(options.overlay)) {
    return Refuse(err,
                  "--sensitivity runs a design of its own: no --sweep, --replicates, "
                  "--summary or overlay with it");
  }
  if (FormatOf(options) == run::OutputFormat::kJsonLines) {
    return Refuse(err, "--sensitivity writes csv or json, one row or object per factor");
  }
  BatchSettings settings;
  if (std::string e = ReadBatchSettings(options.batch, settings); !e.empty()) return Refuse(err, e);
  SensitivityRequest request;
  if (std::string e = ReadSensitivityPlan(options.sensitivity, arguments, seed, request.plan);
      !e.empty()) {
    return Refuse(err, e);
  }
  request.format = FormatOf(options) == run::OutputFormat::kJson ? batch::TableFormat::kJson
                                                                 : batch::TableFormat::kCsv;
  request.jobs = settings.jobs;
  request.outPath = options.outPath;
  request.designOutPath = options.sensitivity.designOut;
  if (batchOptions.shardOption->count() > 0) request.shard = settings.shard;
  request.joinParts = batchOptions.joinParts;
  if (!request.joinParts.empty() && options.seed.empty()) {
    return Refuse(err, "--join needs the --seed the parts were run with");
  }
  if (request.shard && !request.designOutPath.empty()) {
    return Refuse(err,
                  "--shard writes its part of the design table itself: leave out --design-out");
  }
  return RunSensitivityCommand(request, out, err);
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CLI::App app{
      "Runs the volunteering model once and prints its five series, or runs a batch "
      "of sweeps and replicates.",
      std::string(kProgramName)};
  app.formatter(std::make_shared<WrappingFormatter>());
  Options options;
  DefineOptions(app, options);
  app.footer(std::string(kReadingHelp) + "\n" + BatchHelp() + "\n" + SensitivityHelp() + "\n" +
             CalibrateHelp());
  try {
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    app.parse(reversed);
  } catch (const CLI::CallForVersion& e) {
    out << e.what() << '\n';
    return kExitSuccess;
  } catch (const CLI::Success& e) {  // --help
    return app.exit(e, out, err);
  } catch (const CLI::ExtrasError&) {
    return Refuse(err, "unexpected argument \"" + app.remaining().front() + "\" (see --help)");
  } catch (const CLI::ParseError& e) {
    return Refuse(err, e.what());
  }

  if (std::string e = EmptyValueRefusal(app); !e.empty()) return Refuse(err, e);
  model::RunArguments arguments{};
  std::int32_t seed = 0;
  if (std::string e = ReadArguments(options, arguments); !e.empty()) return Refuse(err, e);
  if (std::string e = ReadSeed(options, seed); !e.empty()) return Refuse(err, e);
  if (std::string e = StraySensitivityOption(options.sensitivity); !e.empty()) {
    return Refuse(err, e);
  }
  if (SensitivityRequested(options.sensitivity))
    return RunSensitivity(options, arguments, seed, out, err);
  if (std::string e = FitOptionWithoutCalibrate(options.calibrate); !e.empty()) {
    return Refuse(err, e);
  }
  if (CalibrateRequested(options.calibrate))
    return RunCalibrate(options, arguments, seed, out, err);
  if (BatchRequested(options.batch)) {
    if (OverlayRequested(options.overlay)) {
      return Refuse(err, "--overlay and --new-overlay work with a single run, not with a batch");
    }
    if (FormatOf(options) == run::OutputFormat::kJsonLines) {
      return Refuse(err,
                    "--format jsonl is for a single run; a batch's --format json is JSON Lines "
                    "already, one object per run or grid point");
    }
    return RunBatch(options, arguments, seed, out, err);
  }
  // A single run uses no threads, but a --jobs it is given is checked as a
  // batch checks it, so that a script's mistake shows before it matters.
  BatchSettings unused;
  if (std::string e = ReadBatchSettings(options.batch, unused); !e.empty()) return Refuse(err, e);
  batch::SeededRunner runner;
  model::SeriesPointers series{};
  try {
    series = runner.Run(arguments, seed);
  } catch (const std::runtime_error& failure) {
    return Refuse(err, failure.what());
  }
  // Only input that passed every check creates a file.
  if (const OverlayOutcome created = CreateRequestedOverlay(options.overlay);
      !Proceeds(created, err)) {
    return created.status;
  }
  if (const OverlayOutcome drawn =
          DrawRequestedOverlay(options.overlay, series[model::kFirstOrderRate]);
      !Proceeds(drawn, err)) {
    return drawn.status;
  }

  const run::RunRecord record{seed, arguments, series};
  std::ostringstream text;
  WriteRun(text, FormatOf(options), record);
  if (options.outPath.empty()) return WriteToStandardOutput(out, err, text.str());
  if (const output::WriteResult written = output::WriteWholeFile(options.outPath, text.str());
      !written.Written()) {
    WriteErrorLine(err, output::FailureLine(options.outPath, written.reason));
    return kExitFailure;
  }
  return kExitSuccess;
}

}  // namespace cli
