#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "batch/batch_counts.h"
#include "batch/run_schedule.h"
#include "cli/sweep_layout.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace cli {

// The options of batch mode, as given on the command line.
struct BatchOptions {
  std::vector<std::string> sweeps;
  std::string replicates;
  std::string shard;
  std::string jobs;
  bool summary = false;
  std::vector<std::string> joinParts;
  std::vector<const CLI::Option*> modeOptions;  // any of these given starts batch mode
  const CLI::Option* replicatesOption = nullptr;
  const CLI::Option* shardOption = nullptr;
  const CLI::Option* jobsOption = nullptr;
  const CLI::Option* joinOption = nullptr;
};

void DefineBatchOptions(CLI::App& app, BatchOptions& options);

// What --help says of batch mode, in paragraphs of one line each.
std::string BatchHelp();

// True when any of --sweep, --replicates, --summary, --shard or --join was given.
bool BatchRequested(const BatchOptions& options);

inline constexpr unsigned kMaxJobs = batch::kMaxJobs;

// The batch options read and checked.
struct BatchSettings {
  std::uint64_t replicates = 1;
  batch::Shard shard;
  unsigned jobs = 1;
  BatchLayout layout = BatchLayout::kRuns;
};

// Reads options into settings; returns the first refusal as one line without
// the program name, or an empty string.
std::string ReadBatchSettings(const BatchOptions& options, BatchSettings& settings);

}  // namespace cli
