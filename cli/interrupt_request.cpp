#include "cli/interrupt_request.h"

#include <csignal>

#include "output/temporary_files.h"

namespace cli {
namespace {

// Written from the signal handler: must be lock-free to be safe there.
std::atomic<bool> gInterrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

struct sigaction gPrevious {};

// The first Ctrl-C asks the batch to stop; the second ends the program at
// once, leaving no temporary file behind.
void OnInterrupt(int signal) {
  if (!gInterrupted.exchange(true)) return;
  output::RemoveTemporaryFiles();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

}  // namespace

InterruptRequest::InterruptRequest() {
  gInterrupted.store(false);
  sigaction(SIGINT, nullptr, &gPrevious);
  if (gPrevious.sa_handler == SIG_IGN) return;
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  // SA_RESTART: a write under way when the signal comes goes on.
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
}

InterruptRequest::~InterruptRequest() {
  sigaction(SIGINT, &gPrevious, nullptr);
}

const std::atomic<bool>& InterruptRequest::Flag() const {
  return gInterrupted;
}

}  // namespace cli
