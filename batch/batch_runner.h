#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace batch {

// A batch is a sequence of records (a run, or a grid point with its
// replicates), each made of runsPerRecord runs. Worker threads make the runs in
// order as far as a bounded window ahead of the writer allows; the calling
// thread writes each record's text once it and all records before it are
// finished, a run of records at a time. The output therefore does not depend
// on the number of threads, and memory stays bounded by the window whatever the
// length of the batch.

// What one thread does; each worker is made on and used by one thread only.
class BatchWorker {
 public:
  virtual ~BatchWorker() = default;
  // Makes run part of record, writing its values (valuesPerRun of them).
  virtual void Run(std::uint64_t record, std::uint64_t part, std::span<float> values) = 0;
  // Appends the text of record, given the values of all its runs in part order.
  virtual void Format(std::uint64_t record, std::span<const float> values, std::string& text) = 0;
};

struct BatchShape {
  std::uint64_t recordCount = 0;
  std::uint64_t runsPerRecord = 1;
  std::size_t valuesPerRun = 0;
  unsigned jobs = 1;
};

struct BatchCallbacks {
  std::function<std::unique_ptr<BatchWorker>()> makeWorker;
  // Called in record order on the calling thread; false stops the batch.
  std::function<bool(std::string_view text)> write;
  // Called on the calling thread after each record and at least every
  // kProgressInterval while waiting; may be empty.
  std::function<void(std::uint64_t runsDone)> progress;
};

enum class BatchEnd {
  kComplete,     // every record written
  kStopped,      // the stop flag was raised; the finished records were written
  kWriteFailed,  // write returned false
  kRunFailed,    // a worker threw; failure says what
};

struct BatchOutcome {
  BatchEnd end = BatchEnd::kComplete;
  std::uint64_t recordsWritten = 0;
  std::uint64_t runsDone = 0;
  std::string failure;
  std::uint64_t peakRecordsHeld = 0;  // most records started but not yet handed to write
};

// Records that may be started ahead of the writer: enough runs to keep every
// job busy while one record is slow, and at least two records.
std::uint64_t WindowRecords(std::uint64_t runsPerRecord, unsigned jobs);

// Bytes of run values the batch holds at once, the records of its window;
// empty when that does not even fit 64 bits.
std::optional<std::uint64_t> BytesHeldAtOnce(const BatchShape& shape);

// Runs the batch; once stop is raised, workers finish the run they are making
// and start no other, and every record finished by then is still written.
BatchOutcome RunOrderedBatch(const BatchShape& shape, const BatchCallbacks& callbacks,
                             const std::atomic<bool>& stop);

}  // namespace batch
