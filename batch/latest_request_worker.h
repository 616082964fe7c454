#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace batch {

// Computes on a thread of its own, for callers that must never wait: only the
// newest request matters. A new one raises the stop flag of the one under way
// (which then ends at its next run) and replaces any not yet begun; a result
// is delivered, on the worker's thread, only if nothing newer came meanwhile.
template <class Work, class Result>
class LatestRequestWorker {
 public:
  using Compute = std::function<std::optional<Result>(const Work&, const std::atomic<bool>&)>;
  using Delivery = std::function<void(std::uint64_t generation, Result result)>;

  LatestRequestWorker(Compute compute, Delivery deliver)
      : compute_(std::move(compute)), deliver_(std::move(deliver)) {}
  ~LatestRequestWorker() {
    {
      const std::lock_guard lock(mutex_);
      quit_ = true;
      supersede_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
  }
  LatestRequestWorker(const LatestRequestWorker&) = delete;
  LatestRequestWorker& operator=(const LatestRequestWorker&) = delete;

  // The thread starts with the first request, so a caller that never asks has none.
  void Request(const Work& request, std::uint64_t generation) {
    {
      const std::lock_guard lock(mutex_);
      pending_.emplace(request, generation);
      supersede_ = true;
      if (!thread_.joinable()) thread_ = std::thread([this] { Loop(); });
    }
    wake_.notify_one();
  }

  // Stops the work under way and drops the request waiting, if any.
  void Cancel() {
    const std::lock_guard lock(mutex_);
    pending_.reset();
    supersede_ = true;
  }

 private:
  void Loop() {
    std::unique_lock lock(mutex_);
    while (true) {
      wake_.wait(lock, [this] { return quit_ || pending_.has_value(); });
      if (quit_) return;
      const auto [request, generation] = *std::exchange(pending_, std::nullopt);
      supersede_ = false;
      lock.unlock();
      std::optional<Result> result = compute_(request, supersede_);
      if (result && !supersede_) deliver_(generation, std::move(*result));
      lock.lock();
    }
  }

  Compute compute_;
  Delivery deliver_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<std::pair<Work, std::uint64_t>> pending_;
  std::atomic<bool> supersede_{false};
  bool quit_ = false;
  std::thread thread_;
};

}  // namespace batch
