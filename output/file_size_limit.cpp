#include "output/file_size_limit.h"

#include <csignal>

namespace output {

void TakeFileSizeLimitAsError() {
  std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace output
