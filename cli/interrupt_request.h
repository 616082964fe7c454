#pragma once

#include <atomic>

namespace cli {

// While it lives, Ctrl-C (SIGINT) raises Flag() instead of ending the program,
// so that a batch can stop cleanly; a second Ctrl-C ends the program at once.
// The previous handling of SIGINT comes back on destruction. A SIGINT that was
// ignored when it was made stays ignored (a shell starts the background jobs
// of a script so, and Ctrl-C at the terminal is not meant for them). One at a
// time.
class InterruptRequest {
 public:
  InterruptRequest();
  ~InterruptRequest();
  InterruptRequest(const InterruptRequest&) = delete;
  InterruptRequest& operator=(const InterruptRequest&) = delete;

  const std::atomic<bool>& Flag() const;
};

}  // namespace cli
