#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/dynamics_path_choice.h"
#include "cli/runner.h"
#include "output/file_size_limit.h"
#include "output/temporary_files.h"

int main(int argc, char** argv) {
  output::RemoveTemporaryFilesOnSignals();
  output::TakeFileSizeLimitAsError();
  // Read once, before any run.
  if (!cli::ApplyPathChoice(std::getenv(cli::kPathVariable), std::cerr)) return cli::kExitBadInput;
  const std::vector<std::string> args(argv + 1, argv + argc);
  return cli::RunCommandLine(args, std::cout, std::cerr);
}
