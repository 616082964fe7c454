#pragma once

#include <cstddef>

#include "batch/record.h"

namespace batch {

// What takes the records of a design: a writer, a summary, an estimator.
// The engine holds a bounded number of records at once, each in a slot of its
// own from the moment its first run starts until it has been consumed; a
// consumer may keep per-record work in room indexed by that slot.
class RecordConsumer {
 public:
  virtual ~RecordConsumer() = default;

  // Before any record: the number of slots.
  virtual void Open(std::size_t /*slots*/) {}
  // On a worker thread as soon as the record's runs are finished, in any order
  // and alongside other records: the work that does not need the order
  // (formatting, statistics) goes here. Throwing fails the design.
  virtual void Digest(const Record& /*record*/, std::size_t /*slot*/) {}
  // On the calling thread, in design order; false stops the design.
  virtual bool Consume(const Record& record, std::size_t slot) = 0;
};

}  // namespace batch
