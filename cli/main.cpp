#include <iostream>
#include <string>
#include <vector>

#include "cli/runner.h"
#include "output/file_size_limit.h"
#include "output/temporary_files.h"

int main(int argc, char** argv) {
  output::RemoveTemporaryFilesOnSignals();
  output::TakeFileSizeLimitAsError();
  const std::vector<std::string> args(argv + 1, argv + argc);
  return cli::RunCommandLine(args, std::cout, std::cerr);
}
