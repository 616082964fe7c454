#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "batch/record_consumer.h"
#include "batch/schedule_design.h"
#include "run_description/series_writers.h"

namespace batch {

// The text of a sweep, record by record: every run's rows, or every grid
// point's summary over its replicates, as CSV or JSON Lines (batch_output.h).
// Records are formatted on the workers and written to out in design order.
class SweepRowsWriter : public RecordConsumer {
 public:
  // A summary may share its columns among up to summaryThreads threads.
  SweepRowsWriter(const ScheduleDesign& design, run::OutputFormat format, unsigned summaryThreads,
                  std::ostream& out)
      : design_(design), format_(format), summaryThreads_(summaryThreads), out_(out) {}

  void Open(std::size_t slots) override { texts_.resize(slots); }
  void Digest(const Record& record, std::size_t slot) override;
  // False once out has failed.
  bool Consume(const Record& record, std::size_t slot) override;

 private:
  void AppendRun(const Record& record, std::string& text) const;
  void AppendSummary(const Record& record, std::string& text) const;

  const ScheduleDesign& design_;
  const run::OutputFormat format_;
  const unsigned summaryThreads_;
  std::ostream& out_;
  std::vector<std::string> texts_;  // by slot
};

// What each line of record starts with, the same whatever its values: one
// line per step for CSV (up to and including "<step>,"), one for JSON.
std::vector<std::string> SweepRowOpenings(const ScheduleDesign& design, run::OutputFormat format,
                                          std::uint64_t record);

// The header a CSV of layout starts with; JSON Lines have none.
void AppendSweepHeader(std::string& text, SweepLayout layout, run::OutputFormat format);

}  // namespace batch
