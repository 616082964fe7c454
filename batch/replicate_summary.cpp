#include "batch/replicate_summary.h"

#include <memory>
#include <span>
#include <string>

#include "batch/batch_runner.h"
#include "batch/run_schedule.h"
#include "batch/run_values.h"
#include "batch/seeded_run.h"
#include "batch/sweep_grid.h"

namespace batch {
namespace {

constexpr std::uint64_t kOnlyPoint = 0;

// Runs the replicates of the schedule's one point; the record's statistics
// go to result instead of into text.
class ReplicateWorker : public BatchWorker {
 public:
  ReplicateWorker(const RunSchedule& schedule, std::vector<SummaryStatistics>& result)
      : schedule_(schedule), result_(result) {}

  void Run(std::uint64_t /*record*/, std::uint64_t part, std::span<float> values) override {
    runner_.Run(schedule_.Arguments(kOnlyPoint), schedule_.Seed(kOnlyPoint, part), values);
  }
  void Format(std::uint64_t /*record*/, std::span<const float> values,
              std::string& /*text*/) override {
    result_ = SummariseRuns(values, schedule_.Replicates());
  }

 private:
  const RunSchedule& schedule_;
  std::vector<SummaryStatistics>& result_;
  SeededRunner runner_;
};

}  // namespace

std::optional<std::vector<SummaryStatistics>> SummariseReplicates(const ReplicateRequest& request,
                                                                  const std::atomic<bool>& stop) {
  const SweepGrid grid(request.arguments, {});
  const RunSchedule schedule(grid, request.replicates, Shard{}, request.baseSeed);
  std::vector<SummaryStatistics> result;
  BatchShape shape;
  shape.recordCount = 1;
  shape.runsPerRecord = request.replicates;
  shape.valuesPerRun = kValuesPerRun;
  shape.jobs = request.jobs;
  BatchCallbacks callbacks;
  callbacks.makeWorker = [&schedule, &result] {
    return std::make_unique<ReplicateWorker>(schedule, result);
  };
  callbacks.write = [](std::string_view) { return true; };
  const BatchOutcome outcome = RunOrderedBatch(shape, callbacks, stop);
  if (outcome.end != BatchEnd::kComplete) return std::nullopt;
  return result;
}

}  // namespace batch
