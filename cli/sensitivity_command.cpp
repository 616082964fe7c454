#include "cli/sensitivity_command.h"

#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <memory>
#include <optional>
#include <system_error>

#include "batch/sensitivity_analysis.h"
#include "batch/unit_shard_design.h"
#include "cli/error_line.h"
#include "cli/interrupt_request.h"
#include "cli/progress_bar.h"
#include "cli/runner.h"
#include "cli/sensitivity_join.h"
#include "output/output_file.h"

namespace cli {
namespace {

struct Texts {
  std::string table;  // the results, or a shard's part
  std::string design;
};

bool ShowsProgress(const std::ostream& err) {
  return &err == &std::cerr && isatty(STDERR_FILENO) == 1;
}

std::unique_ptr<batch::SensitivityDesign> MakeDesign(const batch::SensitivityPlan& plan) {
  if (plan.method == batch::SensitivityMethod::kSobol) {
    return std::make_unique<batch::SobolModelDesign>(plan.context, plan.baseRows);
  }
  return std::make_unique<batch::MorrisModelDesign>(plan.context, plan.morris);
}

// The outcome's refusal or notice, or an empty string when it completed.
std::string OutcomeLine(const batch::DesignOutcome& outcome, int& status) {
  switch (outcome.end) {
    case batch::DesignEnd::kComplete:
      return {};
    case batch::DesignEnd::kRunFailed:
      status = kExitBadInput;
      return outcome.failure;
    case batch::DesignEnd::kStopped:
    case batch::DesignEnd::kConsumerRefused:
      status = kExitInterrupted;
      return "interrupted; " + std::to_string(outcome.runsDone) + " runs made, nothing written";
  }
  return {};
}

// Runs design (the whole one or a shard of it) with a progress bar on a
// terminal and Ctrl-C to stop; false, with the line written, when it did not
// finish.
bool Measure(const batch::Design& design, const SensitivityRequest& request, std::ostream& err,
             batch::MeasuredDesign& measured, int& status) {
  std::optional<ProgressBar> progress;
  if (ShowsProgress(err)) progress.emplace(err, design.RecordCount() * design.RunsPerRecord());
  batch::EngineSettings engine;
  engine.jobs = request.jobs;
  if (progress) engine.progress = [&](std::uint64_t done) { progress->Update(done); };
  const InterruptRequest interrupt;
  const batch::DesignOutcome outcome =
      batch::MeasureDesign(design, request.plan.measure, engine, interrupt.Flag(), measured);
  if (progress) progress->Finish();
  if (std::string line = OutcomeLine(outcome, status); !line.empty()) {
    WriteErrorLine(err, line);
    return false;
  }
  return true;
}

std::optional<Texts> Analyse(const SensitivityRequest& request, std::ostream& err, int& status) {
  const batch::SensitivityPlan& plan = request.plan;
  const std::unique_ptr<batch::SensitivityDesign> design = MakeDesign(plan);
  batch::MeasuredDesign measured;
  if (request.shard) {
    const batch::UnitShardDesign part(*design, *request.shard);
    if (!Measure(part, request, err, measured, status)) return std::nullopt;
    return Texts{batch::DesignCsv(plan, *design, measured, *request.shard), {}};
  }
  if (!request.joinParts.empty()) {
    if (std::string fault = ReadSensitivityParts(request.joinParts, plan, *design, measured);
        !fault.empty()) {
      status = kExitBadInput;
      WriteErrorLine(err, fault);
      return std::nullopt;
    }
  } else if (!Measure(*design, request, err, measured, status)) {
    return std::nullopt;
  }
  Texts texts;
  texts.table = batch::ResultTable(plan, *design, measured.records, request.format);
  if (!request.designOutPath.empty()) texts.design = batch::DesignCsv(plan, *design, measured);
  return texts;
}

bool WriteFile(const std::string& path, const std::string& text, std::ostream& err) {
  const output::WriteResult written = output::WriteWholeFile(path, text);
  if (written.Written()) return true;
  WriteErrorLine(err, output::FailureLine(path, written.reason));
  return false;
}

int WriteOut(const std::string& text, std::ostream& out, std::ostream& err) {
  errno = 0;
  out << text;
  out.flush();
  if (out) return kExitSuccess;
  const std::string reason = errno != 0 ? std::system_category().message(errno) : "output error";
  WriteErrorLine(err, output::FailureLine("standard output", reason));
  return kExitFailure;
}

}  // namespace

int RunSensitivityCommand(const SensitivityRequest& request, std::ostream& out, std::ostream& err) {
  int status = kExitSuccess;
  const std::optional<Texts> texts = Analyse(request, err, status);
  if (!texts) return status;
  if (!request.designOutPath.empty() && !WriteFile(request.designOutPath, texts->design, err)) {
    return kExitFailure;
  }
  if (request.outPath.empty()) return WriteOut(texts->table, out, err);
  return WriteFile(request.outPath, texts->table, err) ? kExitSuccess : kExitFailure;
}

}  // namespace cli
