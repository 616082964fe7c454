#include "ui/band_worker.h"

namespace ui {

BandWorker::BandWorker(Delivery deliver) : deliver_(std::move(deliver)) {}

BandWorker::~BandWorker() {
  {
    const std::lock_guard lock(mutex_);
    quit_ = true;
    supersede_ = true;
  }
  wake_.notify_one();
  if (thread_.joinable()) thread_.join();
}

// The thread starts with the first request, so a window that never shows a
// band has none.
void BandWorker::Request(const batch::ReplicateRequest& request, std::uint64_t generation) {
  {
    const std::lock_guard lock(mutex_);
    pending_.emplace(request, generation);
    supersede_ = true;
    if (!thread_.joinable()) thread_ = std::thread([this] { Loop(); });
  }
  wake_.notify_one();
}

void BandWorker::Cancel() {
  const std::lock_guard lock(mutex_);
  pending_.reset();
  supersede_ = true;
}

void BandWorker::Loop() {
  std::unique_lock lock(mutex_);
  while (true) {
    wake_.wait(lock, [this] { return quit_ || pending_.has_value(); });
    if (quit_) return;
    const auto [request, generation] = *std::exchange(pending_, std::nullopt);
    supersede_ = false;
    lock.unlock();
    std::optional<std::vector<batch::SummaryStatistics>> band =
        batch::SummariseReplicates(request, supersede_);
    if (band && !supersede_) deliver_(generation, std::move(*band));
    lock.lock();
  }
}

}  // namespace ui
