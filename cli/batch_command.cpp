#include "cli/batch_command.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <iostream>
#include <optional>
#include <system_error>

#include "batch/record_engine.h"
#include "batch/schedule_design.h"
#include "batch/sweep_grid.h"
#include "batch/sweep_rows.h"
#include "cli/error_line.h"
#include "cli/interrupt_request.h"
#include "cli/memory_ceiling.h"
#include "cli/part_join.h"
#include "cli/progress_bar.h"
#include "cli/runner.h"
#include "cli/sweep_layout.h"
#include "output/output_file.h"

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

std::string InterruptedNotice(const batch::DesignOutcome& outcome, std::uint64_t records,
                              BatchLayout layout) {
  const char* unit = layout == BatchLayout::kSummary ? " grid points" : " runs";
  std::string notice = "interrupted; ";
  notice.append(std::to_string(outcome.recordsConsumed))
      .append(" of ")
      .append(std::to_string(records))
      .append(unit)
      .append(" written");
  return notice;
}

struct Target {
  std::ostream& stream;
  output::OutputFile* file;  // null for standard output
  std::string name;          // for error lines
};

int Finish(const batch::DesignOutcome& outcome, const batch::ScheduleDesign& design, Target& target,
           std::ostream& err) {
  if (outcome.end == batch::DesignEnd::kRunFailed)
    return Report(err, outcome.failure, kExitBadInput);
  const auto writeFailure = [&] {
    const int error = errno;
    std::string reason = target.file ? target.file->Failure() : std::string();
    if (reason.empty()) {
      reason = error != 0 ? std::system_category().message(error) : "output error";
    }
    return Report(err, output::FailureLine(target.name, reason), kExitFailure);
  };
  if (outcome.end == batch::DesignEnd::kConsumerRefused) return writeFailure();
  target.stream.flush();
  if (!target.stream) return writeFailure();
  // An interrupted batch keeps what it finished, in the file as on the screen.
  if (target.file && !target.file->Commit().empty()) return writeFailure();
  if (outcome.end == batch::DesignEnd::kStopped) {
    return Report(err, InterruptedNotice(outcome, design.RecordCount(), design.Layout()),
                  kExitInterrupted);
  }
  return kExitSuccess;
}

// As many jobs as the settings ask for, but no more than runs.
unsigned JobsOf(const batch::RunSchedule& schedule, const BatchSettings& settings) {
  return static_cast<unsigned>(
      std::min<std::uint64_t>(settings.jobs, std::max<std::uint64_t>(1, schedule.RunCount())));
}

std::string Gigabytes(double bytes) {
  constexpr double kGigabyte = 1e9;
  char text[32];
  std::snprintf(text, sizeof text, "%.1f GB", bytes / kGigabyte);
  return text;
}

// A summary holds every replicate of the grid points under way; refused up
// front, before any file exists, when that cannot fit in the memory this
// process may use (a control group's limit is enforced by killing it).
std::string SummaryMemoryRefusal(const batch::ScheduleDesign& design, unsigned jobs) {
  if (design.Layout() != BatchLayout::kSummary) return {};
  const std::uint64_t runsPerRecord = design.RunsPerRecord();
  const std::optional<std::uint64_t> bytes = batch::BytesHeldAtOnce(runsPerRecord, jobs);
  const MemoryCeiling ceiling = FindMemoryCeiling();
  if (bytes && (ceiling.bytes == 0 || *bytes <= ceiling.bytes)) return {};
  const std::string needed =
      bytes ? Gigabytes(static_cast<double>(*bytes)) : std::string("more than 2^64 bytes");
  return "--summary: holding the replicates of " +
         std::to_string(batch::WindowRecords(runsPerRecord, jobs)) + " grid points at once needs " +
         needed + ", more than the " + Gigabytes(static_cast<double>(ceiling.bytes)) +
         " of memory " + ceiling.source + "; use fewer --replicates";
}

int StreamBatch(const batch::ScheduleDesign& design, const BatchSettings& settings, unsigned jobs,
                Target& target, run::OutputFormat format, std::ostream& err) {
  std::string header;
  if (settings.shard.index == 0) batch::AppendSweepHeader(header, design.Layout(), format);
  target.stream << header;

  std::optional<ProgressBar> progress;
  if (ShowsProgress(err)) progress.emplace(err, design.Schedule().RunCount());
  batch::EngineSettings engine;
  engine.jobs = jobs;
  if (progress) engine.progress = [&](std::uint64_t done) { progress->Update(done); };
  batch::SweepRowsWriter rows(design, format, jobs, target.stream);

  const InterruptRequest interrupt;
  const batch::DesignOutcome outcome = batch::RunDesign(design, rows, engine, interrupt.Flag());
  if (progress) progress->Finish();
  return Finish(outcome, design, target, err);
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat first {};
  struct stat second {};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool IsOneOf(const std::string& path, const std::vector<std::string>& parts) {
  if (path.empty()) return false;
  return std::any_of(parts.begin(), parts.end(),
                     [&](const std::string& part) { return part == path || SameFile(part, path); });
}

// A join checks the parts against the command they came from, so that
// command must be whole: its seed above all, which a clock cannot repeat.
std::string JoinRefusal(const BatchOptions& options, const RunRequest& request) {
  if (options.joinParts.empty()) return {};
  if (IsOneOf(request.outPath, options.joinParts)) {
    return "--out " + request.outPath + " is one of the parts: write the join to a new file";
  }
  if (!request.seedGiven) {
    return "--join needs the --seed the parts were run with (without one, every shard takes "
           "its own seed from the clock and the parts do not belong together)";
  }
  return {};
}

// Whether what is written to target can be taken back when the join is
// refused: a file written aside and put in place only when whole can;
// standard output, a device, a FIFO or a named descriptor cannot.
bool CanBeTakenBack(const Target& target) {
  return target.file && target.file->WritesAside();
}

int JoinTo(JoinRequest join, Target& target, std::ostream& err) {
  join.checkBeforeWriting = !CanBeTakenBack(target);
  const JoinResult result = JoinParts(join, target.stream);
  if (!result.fault.empty()) return Report(err, result.fault, kExitBadInput);
  std::string reason;
  if (result.outputFailed) {
    reason = result.outputError != 0 ? std::system_category().message(result.outputError)
                                     : "output error";
  } else if (target.file) {
    reason = target.file->Commit();
  }
  if (!reason.empty()) return Report(err, output::FailureLine(target.name, reason), kExitFailure);
  return kExitSuccess;
}

// Hands write the --out file (committed only by write) or standard output.
int WithTarget(const RunRequest& request, std::ostream& out, std::ostream& err,
               const std::function<int(Target&)>& write) {
  if (request.outPath.empty()) {
    Target target{out, nullptr, "standard output"};
    return write(target);
  }
  output::OutputFile file(request.outPath);
  if (!file.Failure().empty()) {
    return Report(err, output::FailureLine(request.outPath, file.Failure()), kExitFailure);
  }
  Target target{file.Stream(), &file, request.outPath};
  return write(target);
}

}  // namespace

int RunBatchCommand(const BatchOptions& options, const RunRequest& request, std::ostream& out,
                    std::ostream& err) {
  BatchSettings settings;
  if (std::string e = ReadBatchSettings(options, settings); !e.empty()) {
    return Report(err, e, kExitBadInput);
  }
  batch::BuiltGrid built =
      batch::BuildSweepGrid(options.sweeps, request.arguments, request.givenAsOption);
  if (!built.grid) return Report(err, built.error, kExitBadInput);
  std::uint64_t runs = 0;
  if (__builtin_mul_overflow(built.grid->PointCount(), settings.replicates, &runs)) {
    return Report(err, "the batch has more runs than 64 bits can count", kExitBadInput);
  }
  if (std::string e = JoinRefusal(options, request); !e.empty()) {
    return Report(err, e, kExitBadInput);
  }
  if (!options.joinParts.empty()) {
    JoinRequest join{*built.grid,     settings.replicates, request.seed,
                     settings.layout, request.format,      options.joinParts};
    join.seeds = settings.seeds;
    return WithTarget(request, out, err, [&](Target& target) { return JoinTo(join, target, err); });
  }
  const batch::RunSchedule schedule(*built.grid, settings.replicates, settings.shard, request.seed,
                                    settings.seeds);
  const batch::ScheduleDesign design(schedule, settings.layout);
  const unsigned jobs = JobsOf(schedule, settings);
  if (std::string e = SummaryMemoryRefusal(design, jobs); !e.empty()) {
    return Report(err, e, kExitBadInput);
  }
  return WithTarget(request, out, err, [&](Target& target) {
    return StreamBatch(design, settings, jobs, target, request.format, err);
  });
}

}  // namespace cli
