#include "cli/batch_command.h"

#include <unistd.h>

#include <algorithm>
#include <iostream>
#include <optional>

#include "cli/batch_runner.h"
#include "cli/error_line.h"
#include "cli/interrupt_request.h"
#include "cli/progress_bar.h"
#include "cli/runner.h"
#include "cli/streamed_file.h"
#include "cli/sweep_grid.h"

namespace cli {
namespace {

int Report(std::ostream& err, const std::string& message, int status) {
  WriteErrorLine(err, message);
  return status;
}

// Progress is for a person watching: only on the process's own standard error,
// and only when that is a terminal.
bool ShowsProgress(const std::ostream& err) {
  return &err == &std::cerr && isatty(STDERR_FILENO) == 1;
}

std::string InterruptedNotice(const BatchOutcome& outcome, std::uint64_t records,
                              BatchLayout layout) {
  const char* unit = layout == BatchLayout::kSummary ? " grid points" : " runs";
  std::string notice = "interrupted; ";
  notice.append(std::to_string(outcome.recordsWritten))
      .append(" of ")
      .append(std::to_string(records))
      .append(unit)
      .append(" written");
  return notice;
}

struct Target {
  std::ostream& stream;
  StreamedFile* file;  // null for standard output
  std::string name;    // for error lines
};

int Finish(const BatchOutcome& outcome, const BatchShape& shape, BatchLayout layout, Target& target,
           std::ostream& err) {
  if (outcome.end == BatchEnd::kRunFailed) return Report(err, outcome.failure, kExitBadInput);
  if (outcome.end == BatchEnd::kWriteFailed) {
    return Report(err, "cannot write " + target.name, kExitFailure);
  }
  target.stream.flush();
  if (!target.stream) return Report(err, "cannot write " + target.name, kExitFailure);
  // An interrupted batch keeps what it finished, in the file as on the screen.
  if (target.file) {
    if (std::string error = target.file->Commit(); !error.empty()) {
      return Report(err, error, kExitFailure);
    }
  }
  if (outcome.end == BatchEnd::kStopped) {
    return Report(err, InterruptedNotice(outcome, shape.recordCount, layout), kExitInterrupted);
  }
  return kExitSuccess;
}

int StreamBatch(const RunSchedule& schedule, const BatchSettings& settings, Target& target,
                run::OutputFormat format, std::ostream& err) {
  BatchShape shape = SweepShape(schedule, settings.layout);
  // More threads than runs would only sit idle.
  shape.jobs = static_cast<unsigned>(
      std::min<std::uint64_t>(settings.jobs, std::max<std::uint64_t>(1, schedule.RunCount())));

  std::string header;
  if (settings.shard.index == 0) AppendBatchHeader(header, settings.layout, format);
  target.stream << header;

  std::optional<ProgressBar> progress;
  if (ShowsProgress(err)) progress.emplace(err, schedule.RunCount());
  BatchCallbacks callbacks;
  callbacks.makeWorker = [&] { return MakeSweepWorker(schedule, settings.layout, format); };
  callbacks.write = [&](std::string_view text) {
    target.stream.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(target.stream);
  };
  if (progress) callbacks.progress = [&](std::uint64_t done) { progress->Update(done); };

  const InterruptRequest interrupt;
  const BatchOutcome outcome = RunOrderedBatch(shape, callbacks, interrupt.Flag());
  if (progress) progress->Finish();
  return Finish(outcome, shape, settings.layout, target, err);
}

}  // namespace

int RunBatchCommand(const BatchOptions& options, const RunRequest& request, std::ostream& out,
                    std::ostream& err) {
  BatchSettings settings;
  if (std::string e = ReadBatchSettings(options, settings); !e.empty()) {
    return Report(err, e, kExitBadInput);
  }
  BuiltGrid built = BuildSweepGrid(options.sweeps, request.arguments, request.givenAsOption);
  if (!built.grid) return Report(err, built.error, kExitBadInput);
  std::uint64_t runs = 0;
  if (__builtin_mul_overflow(built.grid->PointCount(), settings.replicates, &runs)) {
    return Report(err, "the batch has more runs than 64 bits can count", kExitBadInput);
  }
  const RunSchedule schedule(*built.grid, settings.replicates, settings.shard, request.seed);

  if (request.outPath.empty()) {
    Target target{out, nullptr, "to standard output"};
    return StreamBatch(schedule, settings, target, request.format, err);
  }
  StreamedFile file(request.outPath);
  if (!file.OpenError().empty()) return Report(err, file.OpenError(), kExitFailure);
  Target target{file.Stream(), &file, request.outPath};
  return StreamBatch(schedule, settings, target, request.format, err);
}

}  // namespace cli
