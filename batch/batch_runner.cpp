#include "batch/batch_runner.h"

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

namespace batch {
namespace {

constexpr std::uint64_t kWindowRunsPerJob = 16;
constexpr std::uint64_t kMinWindowRecords = 2;
constexpr std::chrono::milliseconds kProgressInterval{100};

// One record on its way from the workers to the writer.
struct Slot {
  RecordValues values;  // runsPerRecord runs, one after the other
  std::string text;
  std::uint64_t partsLeft = 0;
  bool ready = false;
};

class OrderedBatch {
 public:
  OrderedBatch(const BatchShape& shape, const BatchCallbacks& callbacks,
               const std::atomic<bool>& stop)
      : shape_(shape),
        callbacks_(callbacks),
        stop_(stop),
        window_(WindowRecords(shape.runsPerRecord, shape.jobs)),
        slots_(window_) {}

  BatchOutcome Run();

 private:
  std::uint64_t TicketCount() const { return shape_.recordCount * shape_.runsPerRecord; }
  std::uint64_t RecordOf(std::uint64_t ticket) const { return ticket / shape_.runsPerRecord; }
  std::size_t RecordValueCount() const { return shape_.runsPerRecord * shape_.valuesPerRun; }
  Slot& SlotOf(std::uint64_t record) { return slots_[record % window_]; }
  bool Halted() const { return halted_ || stop_.load(); }
  bool MayTakeTicket() const { return RecordOf(nextTicket_) < handedOut_ + window_; }
  // Each wake of the writer costs the workers a context switch, so it is woken
  // for a run of finished records rather than for each: once half the window
  // is finished, and for every record once no run is left to start. A worker
  // that finds the window full wakes it too, and it wakes by itself at least
  // every kProgressInterval.
  bool WorthWakingWriter() const {
    return readyRecords_ * 2 >= window_ || nextTicket_ == TicketCount();
  }

  void StartWorkers(std::vector<std::thread>& threads);
  void WorkerLoop();
  bool MakeRecordPart(BatchWorker& worker, std::uint64_t ticket, std::unique_lock<std::mutex>& lock,
                      std::string& text);
  void Fail(std::string message);
  void WriteRecords();
  void ReportProgress(std::unique_lock<std::mutex>& lock);
  BatchOutcome Outcome() const;

  const BatchShape shape_;
  const BatchCallbacks& callbacks_;
  const std::atomic<bool>& stop_;
  const std::uint64_t window_;

  std::mutex mutex_;
  std::condition_variable workerWake_;
  std::condition_variable writerWake_;
  std::vector<Slot> slots_;
  std::uint64_t nextTicket_ = 0;
  std::uint64_t handedOut_ = 0;     // records taken by the writer
  std::uint64_t readyRecords_ = 0;  // finished and not yet taken by the writer
  std::uint64_t recordsWritten_ = 0;
  std::uint64_t runsDone_ = 0;
  std::uint64_t peakRecordsHeld_ = 0;
  unsigned activeWorkers_ = 0;
  bool halted_ = false;
  bool writeFailed_ = false;
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

BatchOutcome OrderedBatch::Run() {
  std::vector<std::thread> threads;
  StartWorkers(threads);
  WriteRecords();
  for (std::thread& thread : threads) thread.join();
  return Outcome();
}

void OrderedBatch::StartWorkers(std::vector<std::thread>& threads) {
  const unsigned jobs = std::max(1u, shape_.jobs);
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

void OrderedBatch::WorkerLoop() {
  std::unique_ptr<BatchWorker> worker;
  try {
    worker = callbacks_.makeWorker();
  } catch (...) {
    const std::string message = Describe(std::current_exception());
    std::lock_guard lock(mutex_);
    Fail(message);
  }
  std::string text;
  std::unique_lock lock(mutex_);
  while (worker) {
    // Only the writer can make room in a full window.
    if (!Halted() && nextTicket_ != TicketCount() && !MayTakeTicket()) writerWake_.notify_one();
    workerWake_.wait(lock,
                     [&] { return Halted() || nextTicket_ == TicketCount() || MayTakeTicket(); });
    if (Halted() || nextTicket_ == TicketCount()) break;
    if (!MakeRecordPart(*worker, nextTicket_++, lock, text)) break;
  }
  --activeWorkers_;
  writerWake_.notify_one();
}

// Called and returns with lock held; releases it while the worker computes.
bool OrderedBatch::MakeRecordPart(BatchWorker& worker, std::uint64_t ticket,
                                  std::unique_lock<std::mutex>& lock, std::string& text) {
  const std::uint64_t record = RecordOf(ticket);
  const std::uint64_t part = ticket % shape_.runsPerRecord;
  Slot& slot = SlotOf(record);
  if (part == 0) {
    slot.partsLeft = shape_.runsPerRecord;
    if (!slot.values) slot.values = AllocateRecordValues(RecordValueCount());
    if (!slot.values) {
      Fail("not enough memory for the values of " + std::to_string(shape_.runsPerRecord) + " runs");
      return false;
    }
  }
  peakRecordsHeld_ = std::max(peakRecordsHeld_, record + 1 - handedOut_);
  lock.unlock();
  std::exception_ptr error;
  try {
    worker.Run(
        record, part,
        std::span<float>(slot.values.get() + part * shape_.valuesPerRun, shape_.valuesPerRun));
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
  text.clear();
  try {
    worker.Format(record, std::span<const float>(slot.values.get(), RecordValueCount()), text);
  } catch (...) {
    error = std::current_exception();
  }
  lock.lock();
  if (error) {
    Fail(Describe(error));
    return false;
  }
  slot.text.swap(text);
  slot.ready = true;
  ++readyRecords_;
  if (WorthWakingWriter()) writerWake_.notify_one();
  return true;
}

// Called with the lock held.
void OrderedBatch::Fail(std::string message) {
  if (failure_.empty()) failure_ = std::move(message);
  halted_ = true;
  workerWake_.notify_all();
}

void OrderedBatch::WriteRecords() {
  std::string pending;
  std::unique_lock lock(mutex_);
  while (handedOut_ < shape_.recordCount) {
    Slot& slot = SlotOf(handedOut_);
    if (!slot.ready) {
      if (activeWorkers_ == 0) break;  // nothing more will come
      writerWake_.wait_for(lock, kProgressInterval);
      // A stop raised by a signal wakes nobody: pass it on to waiting workers.
      if (stop_.load()) workerWake_.notify_all();
      ReportProgress(lock);
      continue;
    }
    slot.ready = false;
    --readyRecords_;
    pending.clear();
    pending.swap(slot.text);
    ++handedOut_;
    workerWake_.notify_all();
    lock.unlock();
    const bool written = callbacks_.write(pending);
    lock.lock();
    if (!written) {
      writeFailed_ = true;
      halted_ = true;
      workerWake_.notify_all();
      break;
    }
    ++recordsWritten_;
    ReportProgress(lock);
  }
}

void OrderedBatch::ReportProgress(std::unique_lock<std::mutex>& lock) {
  if (!callbacks_.progress) return;
  const std::uint64_t runsDone = runsDone_;
  lock.unlock();
  callbacks_.progress(runsDone);
  lock.lock();
}

BatchOutcome OrderedBatch::Outcome() const {
  BatchOutcome outcome;
  outcome.recordsWritten = recordsWritten_;
  outcome.runsDone = runsDone_;
  outcome.failure = failure_;
  outcome.peakRecordsHeld = peakRecordsHeld_;
  if (writeFailed_) {
    outcome.end = BatchEnd::kWriteFailed;
  } else if (!failure_.empty()) {
    outcome.end = BatchEnd::kRunFailed;
  } else if (recordsWritten_ < shape_.recordCount) {
    outcome.end = BatchEnd::kStopped;
  }
  return outcome;
}

}  // namespace

std::uint64_t WindowRecords(std::uint64_t runsPerRecord, unsigned jobs) {
  const std::uint64_t runs = kWindowRunsPerJob * std::max(1u, jobs);
  return std::max(kMinWindowRecords, (runs + runsPerRecord - 1) / runsPerRecord);
}

std::optional<std::uint64_t> BytesHeldAtOnce(const BatchShape& shape) {
  std::uint64_t bytes = WindowRecords(shape.runsPerRecord, shape.jobs);
  for (const std::uint64_t factor :
       {shape.runsPerRecord, std::uint64_t{shape.valuesPerRun}, std::uint64_t{sizeof(float)}}) {
    if (__builtin_mul_overflow(bytes, factor, &bytes)) return std::nullopt;
  }
  return bytes;
}

BatchOutcome RunOrderedBatch(const BatchShape& shape, const BatchCallbacks& callbacks,
                             const std::atomic<bool>& stop) {
  OrderedBatch batch(shape, callbacks, stop);
  return batch.Run();
}

}  // namespace batch
