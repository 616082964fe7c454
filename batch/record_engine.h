#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "batch/design.h"
#include "batch/record_consumer.h"
#include "batch/run_maker.h"

namespace batch {

// Runs a design on a pool of seeded runners and hands its records to a
// consumer in design order. Worker threads make the runs in order as far as a
// bounded window ahead of the consumer allows; the calling thread consumes
// each record once it and all records before it are finished, a run of
// records at a time. What the consumer sees therefore does not depend on the
// number of threads, and memory stays bounded by the window whatever the
// length of the design.

struct EngineSettings {
  unsigned jobs = 1;
  // Called on the calling thread after each record and at least every
  // kProgressInterval while waiting; may be empty.
  std::function<void(std::uint64_t runsDone)> progress;
  // Each thread's runner; empty for a SeededRunner.
  std::function<std::unique_ptr<RunMaker>()> makeRunner;
};

enum class DesignEnd {
  kComplete,         // every record consumed
  kStopped,          // the stop flag was raised; the finished records were consumed
  kConsumerRefused,  // Consume returned false
  kRunFailed,        // a run or a digest threw; failure says what
};

struct DesignOutcome {
  DesignEnd end = DesignEnd::kComplete;
  std::uint64_t recordsConsumed = 0;
  std::uint64_t runsDone = 0;
  std::string failure;
  std::uint64_t peakRecordsHeld = 0;  // most records started but not yet consumed
};

// Records that may be started ahead of the consumer: enough runs to keep every
// job busy while one record is slow, and at least two records.
std::uint64_t WindowRecords(std::uint64_t runsPerRecord, unsigned jobs);

// Bytes of run values a design of runsPerRecord runs per record holds at
// once, the records of its window; empty when that does not even fit 64 bits.
std::optional<std::uint64_t> BytesHeldAtOnce(std::uint64_t runsPerRecord, unsigned jobs);

// Runs the design; once stop is raised, workers finish the run they are making
// and start no other, and every record finished by then is still consumed.
DesignOutcome RunDesign(const Design& design, RecordConsumer& consumer,
                        const EngineSettings& settings, const std::atomic<bool>& stop);

}  // namespace batch
