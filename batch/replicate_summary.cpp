#include "batch/replicate_summary.h"

#include "batch/record_engine.h"
#include "batch/run_schedule.h"
#include "batch/schedule_design.h"
#include "batch/sweep_grid.h"

namespace batch {
namespace {

// The statistics of the design's one record.
class ReplicateStatistics : public RecordConsumer {
 public:
  explicit ReplicateStatistics(std::vector<SummaryStatistics>& result) : result_(result) {}

  bool Consume(const Record& record, std::size_t /*slot*/) override {
    result_ = SummariseRuns(record.values, record.RunCount());
    return true;
  }

 private:
  std::vector<SummaryStatistics>& result_;
};

}  // namespace

std::optional<std::vector<SummaryStatistics>> SummariseReplicates(const ReplicateRequest& request,
                                                                  const std::atomic<bool>& stop) {
  const SweepGrid grid(request.arguments, {});
  const RunSchedule schedule(grid, request.replicates, Shard{}, request.baseSeed);
  const ScheduleDesign design(schedule, SweepLayout::kSummary);
  std::vector<SummaryStatistics> result;
  ReplicateStatistics statistics(result);
  EngineSettings engine;
  engine.jobs = request.jobs;
  const DesignOutcome outcome = RunDesign(design, statistics, engine, stop);
  if (outcome.end != DesignEnd::kComplete) return std::nullopt;
  return result;
}

}  // namespace batch
