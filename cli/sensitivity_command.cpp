#include "cli/sensitivity_command.h"

#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <optional>
#include <system_error>

#include "batch/sensitivity_analysis.h"
#include "cli/error_line.h"
#include "cli/interrupt_request.h"
#include "cli/progress_bar.h"
#include "cli/runner.h"
#include "output/output_file.h"

namespace cli {
namespace {

struct Texts {
  std::string table;
  std::string design;
};

bool ShowsProgress(const std::ostream& err) {
  return &err == &std::cerr && isatty(STDERR_FILENO) == 1;
}

// Runs the design with a progress bar on a terminal and Ctrl-C to stop.
template <typename Analyse>
auto WithEngine(const batch::Design& design, unsigned jobs, std::ostream& err, Analyse analyse) {
  std::optional<ProgressBar> progress;
  if (ShowsProgress(err)) progress.emplace(err, design.RecordCount() * design.RunsPerRecord());
  batch::EngineSettings engine;
  engine.jobs = jobs;
  if (progress) engine.progress = [&](std::uint64_t done) { progress->Update(done); };
  const InterruptRequest interrupt;
  auto analysis = analyse(engine, interrupt.Flag());
  if (progress) progress->Finish();
  return analysis;
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

std::optional<Texts> Analyse(const SensitivityRequest& request, std::ostream& err, int& status) {
  const batch::SensitivityPlan& plan = request.plan;
  const bool wantsDesign = !request.designOutPath.empty();
  Texts texts;
  batch::DesignOutcome outcome;
  if (plan.method == batch::SensitivityMethod::kSobol) {
    const batch::SobolModelDesign design(plan.context, plan.baseRows);
    const batch::SobolAnalysis analysis =
        WithEngine(design, request.jobs, err, [&](const auto& engine, const auto& stop) {
          return batch::AnalyseSobol(design, plan.context,
                                     {plan.baseRows, plan.measure, plan.resamples, plan.level},
                                     engine, stop);
        });
    outcome = analysis.outcome;
    if (outcome.end == batch::DesignEnd::kComplete) {
      texts.table = batch::SobolTable(plan, analysis.indices, request.format);
      if (wantsDesign) texts.design = batch::SobolDesignCsv(plan, design, analysis.measured);
    }
  } else {
    const batch::MorrisModelDesign design(plan.context, plan.morris);
    const batch::MorrisAnalysis analysis =
        WithEngine(design, request.jobs, err, [&](const auto& engine, const auto& stop) {
          return batch::AnalyseMorris(design, plan.measure, engine, stop);
        });
    outcome = analysis.outcome;
    if (outcome.end == batch::DesignEnd::kComplete) {
      texts.table = batch::MorrisTable(plan, analysis.effects, request.format);
      if (wantsDesign) texts.design = batch::MorrisDesignCsv(plan, design, analysis.measured);
    }
  }
  if (std::string line = OutcomeLine(outcome, status); !line.empty()) {
    WriteErrorLine(err, line);
    return std::nullopt;
  }
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

int RunSensitivityCommand(const SensitivityRequest& request, std::ostream& out,
                          std::ostream& err) {
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
