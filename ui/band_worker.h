#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "batch/replicate_summary.h"
#include "batch/summary_statistics.h"

namespace ui {

// Computes population bands on a thread of its own, so that a slider move
// never waits for one. Only the newest request matters: a new one stops the
// runs of the one under way at the next run and replaces any not yet begun.
class BandWorker {
 public:
  // Called on the worker's thread with a finished band and its request's generation.
  using Delivery =
      std::function<void(std::uint64_t generation, std::vector<batch::SummaryStatistics> band)>;

  explicit BandWorker(Delivery deliver);
  ~BandWorker();
  BandWorker(const BandWorker&) = delete;
  BandWorker& operator=(const BandWorker&) = delete;

  void Request(const batch::ReplicateRequest& request, std::uint64_t generation);
  // Stops the work under way and drops the request waiting, if any.
  void Cancel();

 private:
  void Loop();

  Delivery deliver_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<std::pair<batch::ReplicateRequest, std::uint64_t>> pending_;
  std::atomic<bool> supersede_{false};
  bool quit_ = false;
  std::thread thread_;
};

}  // namespace ui
