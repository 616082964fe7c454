// corvellan: the desktop window. It takes no arguments, reads no settings and
// keeps no state from one start to the next.
#include <cstdio>

#include "app/main_app.h"
#include "app/startup_messages.h"
#include "output/file_size_limit.h"
#include "output/temporary_files.h"

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitUsage = 2;
constexpr const char* kUsage =
    "Usage: corvellan\n"
    "corvellan takes no arguments: every parameter is set in its window.\n"
    "For runs without a window, see corvellan-run --help.\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) {
    std::fputs(kUsage, stderr);
    return kExitUsage;
  }
  output::RemoveTemporaryFilesOnSignals();
  output::TakeFileSizeLimitAsError();
  app::StartupMessages startup;
  app::CMainApp application(argc, argv);
  startup.Release();
  application.InitInstance();
  return kExitSuccess;
}
