#include "batch/record_engine.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "batch/record_buffer.h"
#include "batch/run_values.h"
#include "batch/seeded_run.h"

namespace batch {
namespace {

constexpr std::uint64_t kWindowRunsPerJob = 16;
constexpr std::uint64_t kMinWindowRecords = 2;
constexpr std::chrono::milliseconds kProgressInterval{100};

// One record on its way from the workers to the consumer.
struct Slot {
  RecordValues values;  // runsPerRecord runs, one after the other
  std::uint64_t partsLeft = 0;
  bool ready = false;
};

class OrderedDesign {
 public:
  OrderedDesign(const Design& design, RecordConsumer& consumer, const EngineSettings& settings,
                const std::atomic<bool>& stop)
      : design_(design),
        consumer_(consumer),
        settings_(settings),
        stop_(stop),
        recordCount_(design.RecordCount()),
        runsPerRecord_(design.RunsPerRecord()),
        window_(WindowRecords(runsPerRecord_, settings.jobs)),
        slots_(window_) {}

  DesignOutcome Run();

 private:
  std::uint64_t TicketCount() const { return recordCount_ * runsPerRecord_; }
  std::uint64_t RecordOf(std::uint64_t ticket) const { return ticket / runsPerRecord_; }
  std::size_t RecordValueCount() const { return runsPerRecord_ * kValuesPerRun; }
  std::size_t SlotIndex(std::uint64_t record) const { return record % window_; }
  Slot& SlotOf(std::uint64_t record) { return slots_[SlotIndex(record)]; }
  Record RecordIn(std::uint64_t record) {
    return {&design_, record,
            std::span<const float>(SlotOf(record).values.get(), RecordValueCount())};
  }
  bool Halted() const { return halted_ || stop_.load(); }
  bool MayTakeTicket() const { return RecordOf(nextTicket_) < consumed_ + window_; }
  // Each wake of the consumer's thread costs the workers a context switch, so
  // it is woken for a run of finished records rather than for each: once half
  // the window is finished, and for every record once no run is left to start.
  // A worker that finds the window full wakes it too, and it wakes by itself
  // at least every kProgressInterval.
  bool WorthWakingConsumer() const {
    return readyRecords_ * 2 >= window_ || nextTicket_ == TicketCount();
  }

  void StartWorkers(std::vector<std::thread>& threads);
  std::unique_ptr<RunMaker> MakeRunner() const;
  void WorkerLoop();
  bool MakeRecordPart(RunMaker& runner, std::uint64_t ticket, std::unique_lock<std::mutex>& lock);
  void Fail(std::string message);
  void ConsumeRecords();
  void ReportProgress(std::unique_lock<std::mutex>& lock);
  DesignOutcome Outcome() const;

  const Design& design_;
  RecordConsumer& consumer_;
  const EngineSettings& settings_;
  const std::atomic<bool>& stop_;
  const std::uint64_t recordCount_;
  const std::uint64_t runsPerRecord_;
  const std::uint64_t window_;

  std::mutex mutex_;
  std::condition_variable workerWake_;
  std::condition_variable consumerWake_;
  std::vector<Slot> slots_;
  std::uint64_t nextTicket_ = 0;
  std::uint64_t consumed_ = 0;      // records the consumer is done with
  std::uint64_t readyRecords_ = 0;  // finished and not yet taken by the consumer
  std::uint64_t runsDone_ = 0;
  std::uint64_t peakRecordsHeld_ = 0;
  unsigned activeWorkers_ = 0;
  bool halted_ = false;
  bool refused_ = false;
  std::string failure_;
};

std::string Describe(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "unknown failure";
  }
}

DesignOutcome OrderedDesign::Run() {
  consumer_.Open(window_);
  std::vector<std::thread> threads;
  StartWorkers(threads);
  ConsumeRecords();
  for (std::thread& thread : threads) thread.join();
  return Outcome();
}

void OrderedDesign::StartWorkers(std::vector<std::thread>& threads) {
  const unsigned jobs = std::max(1u, settings_.jobs);
  std::lock_guard lock(mutex_);
  try {
    for (unsigned i = 0; i < jobs; ++i) {
      threads.emplace_back([this] { WorkerLoop(); });
      ++activeWorkers_;
    }
  } catch (const std::system_error& e) {
    // Fewer threads only make the batch slower; none make it impossible.
    if (threads.empty()) Fail(std::string("cannot start a worker thread: ") + e.what());
  }
}

std::unique_ptr<RunMaker> OrderedDesign::MakeRunner() const {
  if (settings_.makeRunner) return settings_.makeRunner();
  return std::make_unique<SeededRunner>();
}

void OrderedDesign::WorkerLoop() {
  std::unique_ptr<RunMaker> runner;
  try {
    runner = MakeRunner();
  } catch (...) {
    const std::string message = Describe(std::current_exception());
    std::lock_guard lock(mutex_);
    Fail(message);
  }
  std::unique_lock lock(mutex_);
  while (runner) {
    // Only the consumer can make room in a full window.
    if (!Halted() && nextTicket_ != TicketCount() && !MayTakeTicket()) consumerWake_.notify_one();
    workerWake_.wait(lock,
                     [&] { return Halted() || nextTicket_ == TicketCount() || MayTakeTicket(); });
    if (Halted() || nextTicket_ == TicketCount()) break;
    if (!MakeRecordPart(*runner, nextTicket_++, lock)) break;
  }
  --activeWorkers_;
  consumerWake_.notify_one();
}

// Called and returns with lock held; releases it while the worker computes.
bool OrderedDesign::MakeRecordPart(RunMaker& runner, std::uint64_t ticket,
                                   std::unique_lock<std::mutex>& lock) {
  const std::uint64_t record = RecordOf(ticket);
  const std::uint64_t part = ticket % runsPerRecord_;
  Slot& slot = SlotOf(record);
  if (part == 0) {
    slot.partsLeft = runsPerRecord_;
    if (!slot.values) slot.values = AllocateRecordValues(RecordValueCount());
    if (!slot.values) {
      Fail("not enough memory for the values of " + std::to_string(runsPerRecord_) + " runs");
      return false;
    }
  }
  peakRecordsHeld_ = std::max(peakRecordsHeld_, record + 1 - consumed_);
  lock.unlock();
  std::exception_ptr error;
  try {
    runner.Run(design_.Arguments(record), design_.Seed(record, part),
               std::span<float>(slot.values.get() + part * kValuesPerRun, kValuesPerRun));
  } catch (...) {
    error = std::current_exception();
  }
  lock.lock();
  if (error) {
    Fail(Describe(error));
    return false;
  }
  ++runsDone_;
  if (--slot.partsLeft > 0) return true;
  // This thread finished the record's last run: nobody else touches the slot now.
  lock.unlock();
  try {
    consumer_.Digest(RecordIn(record), SlotIndex(record));
  } catch (...) {
    error = std::current_exception();
  }
  lock.lock();
  if (error) {
    Fail(Describe(error));
    return false;
  }
  slot.ready = true;
  ++readyRecords_;
  if (WorthWakingConsumer()) consumerWake_.notify_one();
  return true;
}

// Called with the lock held.
void OrderedDesign::Fail(std::string message) {
  if (failure_.empty()) failure_ = std::move(message);
  halted_ = true;
  workerWake_.notify_all();
}

void OrderedDesign::ConsumeRecords() {
  std::unique_lock lock(mutex_);
  while (consumed_ < recordCount_) {
    Slot& slot = SlotOf(consumed_);
    if (!slot.ready) {
      if (activeWorkers_ == 0) break;  // nothing more will come
      consumerWake_.wait_for(lock, kProgressInterval);
      // A stop raised by a signal wakes nobody: pass it on to waiting workers.
      if (stop_.load()) workerWake_.notify_all();
      ReportProgress(lock);
      continue;
    }
    --readyRecords_;
    lock.unlock();
    // The slot stays the consumer's until it returns: its values are the record.
    bool taken = false;
    std::exception_ptr error;
    try {
      taken = consumer_.Consume(RecordIn(consumed_), SlotIndex(consumed_));
    } catch (...) {
      error = std::current_exception();
    }
    lock.lock();
    slot.ready = false;
    if (error) {
      Fail(Describe(error));
      break;
    }
    if (!taken) {
      refused_ = true;
      halted_ = true;
      workerWake_.notify_all();
      break;
    }
    ++consumed_;
    workerWake_.notify_all();
    ReportProgress(lock);
  }
}

void OrderedDesign::ReportProgress(std::unique_lock<std::mutex>& lock) {
  if (!settings_.progress) return;
  const std::uint64_t runsDone = runsDone_;
  lock.unlock();
  settings_.progress(runsDone);
  lock.lock();
}

DesignOutcome OrderedDesign::Outcome() const {
  DesignOutcome outcome;
  outcome.recordsConsumed = consumed_;
  outcome.runsDone = runsDone_;
  outcome.failure = failure_;
  outcome.peakRecordsHeld = peakRecordsHeld_;
  if (refused_) {
    outcome.end = DesignEnd::kConsumerRefused;
  } else if (!failure_.empty()) {
    outcome.end = DesignEnd::kRunFailed;
  } else if (consumed_ < recordCount_) {
    outcome.end = DesignEnd::kStopped;
  }
  return outcome;
}

}  // namespace

std::uint64_t WindowRecords(std::uint64_t runsPerRecord, unsigned jobs) {
  const std::uint64_t runs = kWindowRunsPerJob * std::max(1u, jobs);
  return std::max(kMinWindowRecords, (runs + runsPerRecord - 1) / runsPerRecord);
}

std::optional<std::uint64_t> BytesHeldAtOnce(std::uint64_t runsPerRecord, unsigned jobs) {
  std::uint64_t bytes = WindowRecords(runsPerRecord, jobs);
  for (const std::uint64_t factor :
       {runsPerRecord, std::uint64_t{kValuesPerRun}, std::uint64_t{sizeof(float)}}) {
    if (__builtin_mul_overflow(bytes, factor, &bytes)) return std::nullopt;
  }
  return bytes;
}

DesignOutcome RunDesign(const Design& design, RecordConsumer& consumer,
                        const EngineSettings& settings, const std::atomic<bool>& stop) {
  OrderedDesign ordered(design, consumer, settings, stop);
  return ordered.Run();
}

}  // namespace batch
