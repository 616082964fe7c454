#include "cli/batch_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>

#include "batch/batch_counts.h"
#include "batch/seed_derivation.h"
#include "run_description/number_text.h"

namespace cli {
namespace {

constexpr char kShardSeparator = '/';
constexpr std::int32_t kFirstShard = 1;

std::string ReadShard(const std::string& text, batch::Shard& shard) {
  const std::string refusal =
      "--shard: expected I/N with whole numbers 1 <= I <= N, got " + run::Quoted(text);
  const std::size_t separator = text.find(kShardSeparator);
  if (separator == std::string::npos) return refusal;
  const run::ParsedInteger index = run::ParseInteger(std::string_view(text).substr(0, separator));
  const run::ParsedInteger count = run::ParseInteger(std::string_view(text).substr(separator + 1));
  if (!index.value || !count.value || *index.value < kFirstShard || *index.value > *count.value) {
    return refusal;
  }
  shard.index = static_cast<std::uint64_t>(*index.value - kFirstShard);
  shard.count = static_cast<std::uint64_t>(*count.value);
  return {};
}

}  // namespace

std::string BatchHelp() {
  std::string help =
      "Batch mode (any of --sweep, --replicates, --summary, --shard, --join) runs every point "
      "of the grid of the sweeps (the last --sweep varying fastest) --replicates times and "
      "streams the runs in run order as they finish: CSV with one row per run and step "
      "(run,replicate,seed,<the 29 arguments>,step,<the five series>), or with --summary one "
      "row per grid point and step; --format json writes one JSON object per line instead. "
      "Run r counts from 0 over the whole sweep: run = g * replicates + replicate. The output "
      "is the same whatever --jobs is. Ctrl-C stops cleanly: the runs under way finish, every "
      "finished run is written, and the exit status is 130.\n\n"
      "Shards run apart (--shard I/N, each with the same --seed) hold every row with the seed "
      "of the whole batch; --join PART-1 ... PART-N with the same command puts them back "
      "together, byte for byte what one process writes.\n\n";
  help.append(batch::SeedDerivationText());
  help.append("Any row repeats alone: corvellan-run --seed <its seed> --<name> <value> ...\n");
  return help;
}

void DefineBatchOptions(CLI::App& app, BatchOptions& options) {
  options.modeOptions.push_back(
      app.add_option("--sweep", options.sweeps,
                     "vary a run argument over a range (START:STOP:STEP, exact decimal steps, "
                     "STOP included when on the grid) or a list of values; repeatable")
          ->type_name("NAME=START:STOP:STEP|NAME=v1,v2,...")
          ->allow_extra_args(false)
          ->expected(1)
          ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll));
  options.replicatesOption =
      app.add_option("--replicates", options.replicates,
                     "runs per grid point, each with its own derived seed (default 1)")
          ->type_name("K");
  options.modeOptions.push_back(options.replicatesOption);
  options.modeOptions.push_back(app.add_flag(
      "--summary", options.summary,
      "per grid point and step, over the replicates: mean, sample standard deviation (n - 1; 0 "
      "for one replicate) and the 5, 50 and 95 % quantiles (linear interpolation between order "
      "statistics, numpy's default)"));
  options.shardOption =
      app.add_option("--shard", options.shard,
                     "run only the grid points g with g mod N = I - 1, with all their replicates; "
                     "the CSV header is written by shard 1 only, so the parts concatenate")
          ->type_name("I/N");
  options.modeOptions.push_back(options.shardOption);
  options.joinOption =
      app.add_option("--join", options.joinParts,
                     "instead of running the batch, put together the N parts that --shard 1/N "
                     "to N/N of this same command (with its --seed) wrote, given in shard order; "
                     "the result is what one process writes for the whole batch, and every line "
                     "of every part is checked on the way")
          ->type_name("PART")
          ->expected(1, CLI::detail::expected_max_vector_size);
  options.modeOptions.push_back(options.joinOption);
  options.jobsOption = app.add_option("--jobs", options.jobs,
                                      "worker threads of a batch (default: the number of cores, "
                                      "here " +
                                          std::to_string(batch::DefaultJobs()) + ")")
                           ->type_name("N");
}

bool BatchRequested(const BatchOptions& options) {
  return std::any_of(options.modeOptions.begin(), options.modeOptions.end(),
                     [](const CLI::Option* option) { return option->count() > 0; });
}

std::string ReadBatchSettings(const BatchOptions& options, BatchSettings& settings) {
  settings.layout = options.summary ? BatchLayout::kSummary : BatchLayout::kRuns;
  if (options.replicatesOption->count() > 0) {
    std::string error = batch::ReadReplicates(options.replicates, settings.replicates);
    if (!error.empty()) return error;
  }
  if (options.shardOption->count() > 0) {
    if (options.joinOption->count() > 0) {
      return "--join puts the shards of a batch together: leave out --shard";
    }
    if (std::string error = ReadShard(options.shard, settings.shard); !error.empty()) return error;
  }
  settings.jobs = batch::DefaultJobs();
  if (options.jobsOption->count() > 0) {
    std::string error = batch::ReadJobs(options.jobs, settings.jobs);
    if (!error.empty()) return error;
  }
  return {};
}

}  // namespace cli
