#include "ui/band_worker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "batch/run_values.h"
#include "run_description/parameter_table.h"
#include "tests/support/sample_arguments.h"

namespace ui_test {
namespace {

using namespace std::chrono_literals;

// Deliveries as the worker's thread hands them over.
class Deliveries {
 public:
  ui::BandWorker::Delivery Sink() {
    return [this](std::uint64_t generation, std::vector<batch::SummaryStatistics> band) {
      const std::lock_guard lock(mutex_);
      generations_.push_back(generation);
      sizes_.push_back(band.size());
      arrived_.notify_all();
    };
  }
  bool WaitFor(std::uint64_t generation) {
    std::unique_lock lock(mutex_);
    return arrived_.wait_for(
        lock, 10s, [&] { return !generations_.empty() && generations_.back() == generation; });
  }
  std::vector<std::uint64_t> Generations() {
    const std::lock_guard lock(mutex_);
    return generations_;
  }
  std::vector<std::size_t> Sizes() {
    const std::lock_guard lock(mutex_);
    return sizes_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<std::uint64_t> generations_;
  std::vector<std::size_t> sizes_;
};

batch::ReplicateRequest Request(std::uint64_t populations) {
  return {test_support::AllNormalArguments(), 5, populations, 1};
}

// Requests faster than bands are made: older ones are dropped or stopped,
// the newest always arrives, and it arrives last.
TEST(BandWorker, DeliversTheNewestRequestLast) {
  Deliveries deliveries;
  {
    ui::BandWorker worker(deliveries.Sink());
    constexpr std::uint64_t kRequests = 20;
    for (std::uint64_t g = 1; g <= kRequests; ++g) worker.Request(Request(128), g);
    ASSERT_TRUE(deliveries.WaitFor(kRequests));
  }
  const std::vector<std::uint64_t> generations = deliveries.Generations();
  EXPECT_LT(generations.size(), 20U);
  EXPECT_TRUE(std::is_sorted(generations.begin(), generations.end()));
  for (const std::size_t size : deliveries.Sizes()) EXPECT_EQ(size, batch::kValuesPerRun);
}

TEST(BandWorker, ACancelledRequestIsNeverDelivered) {
  Deliveries deliveries;
  {
    ui::BandWorker worker(deliveries.Sink());
    worker.Request(Request(128), 1);
    worker.Cancel();
    worker.Request(Request(8), 2);
    ASSERT_TRUE(deliveries.WaitFor(2));
  }
  for (const std::uint64_t g : deliveries.Generations()) EXPECT_NE(g, 1U);
}

// Destroyed while it works: the runs under way stop and nothing arrives late.
TEST(BandWorker, StopsWhenDestroyedInTheMiddleOfABand) {
  Deliveries deliveries;
  {
    ui::BandWorker worker(deliveries.Sink());
    worker.Request(Request(128), 1);
  }
  const std::size_t delivered = deliveries.Generations().size();
  std::this_thread::sleep_for(20ms);
  EXPECT_EQ(deliveries.Generations().size(), delivered);
}

}  // namespace
}  // namespace ui_test
