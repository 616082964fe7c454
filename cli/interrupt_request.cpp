#include "cli/interrupt_request.h"

#include <csignal>

namespace cli {
namespace {

// Written from the signal handler: must be lock-free to be safe there.
std::atomic<bool> gInterrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

struct sigaction gPrevious {};

void OnInterrupt(int) {
  gInterrupted.store(true);
}

}  // namespace

InterruptRequest::InterruptRequest() {
  gInterrupted.store(false);
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  // SA_RESETHAND: the next Ctrl-C takes the default action and ends the
  // program. SA_RESTART: a write under way when the signal comes goes on.
  action.sa_flags = SA_RESETHAND | SA_RESTART;
  sigaction(SIGINT, &action, &gPrevious);
}

InterruptRequest::~InterruptRequest() {
  sigaction(SIGINT, &gPrevious, nullptr);
}

const std::atomic<bool>& InterruptRequest::Flag() const {
  return gInterrupted;
}

}  // namespace cli
