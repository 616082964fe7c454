// Feeds corvellan-run argument vectors built from the input. Whatever the
// arguments, the runner must answer with success and output, or with exit
// status 1 or 2, exactly one line on standard error and no output.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "batch/sweep_axis.h"
#include "cli/runner.h"

namespace {

constexpr std::size_t kMaxArguments = 12;
constexpr std::size_t kMaxArgumentLength = 48;

// Options that touch files, start threads, or make a batch or a population
// large enough to slow the fuzzer to a crawl are left out of the whole runs.
constexpr std::string_view kSkippedPrefixes[] = {"--out",        "--overlay",    "--new-overlay",
                                                 "--jobs",       "--agentCount", "--sweep",
                                                 "--replicates", "--shard",      "--summary"};

std::vector<std::string> SplitArguments(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args(1);
  for (std::size_t i = 0; i < size && args.size() <= kMaxArguments; ++i) {
    if (data[i] == 0) {
      args.emplace_back();
    } else if (args.back().size() < kMaxArgumentLength) {
      args.back().push_back(static_cast<char>(data[i]));
    }
  }
  return args;
}

bool Skipped(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    for (std::string_view prefix : kSkippedPrefixes) {
      if (std::string_view(arg).substr(0, prefix.size()) == prefix) return true;
    }
  }
  return false;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> args = SplitArguments(data, size);
  // The sweep reader sees every argument, also those the whole runs skip.
  for (const std::string& arg : args) {
    const batch::ParsedSweep sweep = batch::ParseSweep(arg);
    Check(sweep.axis.has_value() != !sweep.error.empty());
  }
  if (Skipped(args)) return 0;

  std::ostringstream out;
  std::ostringstream err;
  const int status = cli::RunCommandLine(args, out, err);
  const std::string error = err.str();
  if (status == cli::kExitSuccess) {
    Check(!out.str().empty());
  } else {
    Check(status == cli::kExitBadInput || status == cli::kExitFailure);
    Check(out.str().empty());
    Check(!error.empty() && error.find('\n') == error.size() - 1);
  }
  return 0;
}
