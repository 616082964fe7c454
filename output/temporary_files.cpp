#include "output/temporary_files.h"

#include <limits.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>

namespace output {
namespace {

// A signal handler may only read memory that needs no allocation or lock: a
// fixed table of names, each published by its flag.
constexpr std::size_t kSlots = 16;

struct Slot {
  std::atomic<bool> used{false};
  std::atomic<bool> ready{false};
  char path[PATH_MAX] = {};
};

std::array<Slot, kSlots> gSlots;
static_assert(std::atomic<bool>::is_always_lock_free);

constexpr std::array kCleanedSignals = {SIGINT, SIGTERM, SIGHUP};

void OnTerminatingSignal(int signal) {
  RemoveTemporaryFiles();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

}  // namespace

int RememberTemporary(const std::string& path) {
  if (path.size() >= PATH_MAX) return -1;
  for (std::size_t i = 0; i < kSlots; ++i) {
    bool expected = false;
    if (!gSlots[i].used.compare_exchange_strong(expected, true)) continue;
    std::memcpy(gSlots[i].path, path.c_str(), path.size() + 1);
    gSlots[i].ready.store(true);
    return static_cast<int>(i);
  }
  return -1;
}

void ForgetTemporary(int slot) {
  if (slot < 0) return;
  Slot& entry = gSlots[static_cast<std::size_t>(slot)];
  entry.ready.store(false);
  entry.used.store(false);
}

void RemoveTemporaryFiles() {
  for (Slot& slot : gSlots) {
    if (slot.ready.exchange(false)) ::unlink(slot.path);
  }
}

void RemoveTemporaryFilesOnSignals() {
  for (const int signal : kCleanedSignals) {
    struct sigaction current {};
    if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = OnTerminatingSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
  }
}

}  // namespace output
