#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;        // the output could not be written
inline constexpr int kExitBadInput = 2;       // refused options or a failed model check
inline constexpr int kExitInterrupted = 130;  // a batch stopped by Ctrl-C: 128 + SIGINT

// The whole of corvellan-run: parses args (without the program name), runs the
// model (once, or a batch of runs) and writes the result to out (or the --out
// file); every refusal is one line on err, and nothing is written anywhere
// else then.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace cli
