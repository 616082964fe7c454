#include "cli/sweep_worker.h"

#include "batch/batch_output.h"
#include "batch/run_values.h"
#include "batch/seeded_run.h"

namespace cli {
namespace {

batch::RunLabel LabelOfRun(const batch::RunSchedule& schedule, std::uint64_t point,
                           std::uint64_t replicate) {
  return {schedule.RunIndex(point, replicate), schedule.GlobalPoint(point), replicate,
          schedule.Seed(point, replicate)};
}

batch::PointLabel LabelOfPoint(const batch::RunSchedule& schedule, std::uint64_t point) {
  return {schedule.GlobalPoint(point), schedule.Replicates(), schedule.BaseSeed()};
}

class SweepWorker : public batch::BatchWorker {
 public:
  SweepWorker(const batch::RunSchedule& schedule, BatchLayout layout, run::OutputFormat format,
              unsigned jobs)
      : schedule_(schedule), layout_(layout), format_(format), jobs_(jobs) {}

  void Run(std::uint64_t record, std::uint64_t part, std::span<float> values) override;
  void Format(std::uint64_t record, std::span<const float> values, std::string& text) override;

 private:
  // A record's grid point (within the shard) and replicate.
  std::uint64_t LocalPoint(std::uint64_t record, std::uint64_t part) const;
  std::uint64_t Replicate(std::uint64_t record, std::uint64_t part) const;
  void FormatRun(std::uint64_t record, std::span<const float> values, std::string& text) const;
  void FormatSummary(std::uint64_t record, std::span<const float> values, std::string& text) const;

  const batch::RunSchedule& schedule_;
  const BatchLayout layout_;
  const run::OutputFormat format_;
  const unsigned jobs_;
  batch::SeededRunner runner_;
};

std::uint64_t SweepWorker::LocalPoint(std::uint64_t record, std::uint64_t /*part*/) const {
  // In the runs layout a record is one run: part is always 0.
  return layout_ == BatchLayout::kSummary ? record : record / schedule_.Replicates();
}

std::uint64_t SweepWorker::Replicate(std::uint64_t record, std::uint64_t part) const {
  return layout_ == BatchLayout::kSummary ? part : record % schedule_.Replicates();
}

void SweepWorker::Run(std::uint64_t record, std::uint64_t part, std::span<float> values) {
  const std::uint64_t point = LocalPoint(record, part);
  // The grid was checked against the model's limits before the batch began.
  runner_.Run(schedule_.Arguments(point), schedule_.Seed(point, Replicate(record, part)), values);
}

void SweepWorker::Format(std::uint64_t record, std::span<const float> values, std::string& text) {
  if (layout_ == BatchLayout::kSummary) {
    FormatSummary(record, values, text);
  } else {
    FormatRun(record, values, text);
  }
}

void SweepWorker::FormatRun(std::uint64_t record, std::span<const float> values,
                            std::string& text) const {
  const std::uint64_t point = LocalPoint(record, 0);
  const std::uint64_t replicate = Replicate(record, 0);
  const batch::RunLabel label = LabelOfRun(schedule_, point, replicate);
  const model::RunArguments arguments = schedule_.Arguments(point);
  if (format_ == run::OutputFormat::kJson) {
    batch::AppendRunJson(text, label, arguments, values);
  } else {
    batch::AppendRunCsv(text, label, arguments, values);
  }
}

void SweepWorker::FormatSummary(std::uint64_t record, std::span<const float> values,
                                std::string& text) const {
  const batch::PointLabel label = LabelOfPoint(schedule_, record);
  const model::RunArguments arguments = schedule_.Arguments(record);
  const std::vector<batch::SummaryStatistics> statistics =
      batch::SummariseRuns(values, schedule_.Replicates(), jobs_);
  if (format_ == run::OutputFormat::kJson) {
    batch::AppendSummaryJson(text, label, arguments, statistics);
  } else {
    batch::AppendSummaryCsv(text, label, arguments, statistics);
  }
}

}  // namespace

std::unique_ptr<batch::BatchWorker> MakeSweepWorker(const batch::RunSchedule& schedule,
                                                    BatchLayout layout, run::OutputFormat format,
                                                    unsigned jobs) {
  return std::make_unique<SweepWorker>(schedule, layout, format, jobs);
}

batch::BatchShape SweepShape(const batch::RunSchedule& schedule, BatchLayout layout) {
  batch::BatchShape shape;
  shape.valuesPerRun = batch::kValuesPerRun;
  if (layout == BatchLayout::kSummary) {
    shape.recordCount = schedule.PointCount();
    shape.runsPerRecord = schedule.Replicates();
  } else {
    shape.recordCount = schedule.RunCount();
    shape.runsPerRecord = 1;
  }
  return shape;
}

std::vector<std::string> RecordLineOpenings(const batch::RunSchedule& schedule, BatchLayout layout,
                                            run::OutputFormat format, std::uint64_t record) {
  const bool summary = layout == BatchLayout::kSummary;
  const std::uint64_t point = summary ? record : record / schedule.Replicates();
  const model::RunArguments arguments = schedule.Arguments(point);
  std::string opening;
  if (format == run::OutputFormat::kJson) {
    if (summary) {
      batch::AppendSummaryJsonOpening(opening, LabelOfPoint(schedule, point), arguments);
    } else {
      batch::AppendRunJsonOpening(
          opening, LabelOfRun(schedule, point, record % schedule.Replicates()), arguments);
    }
    return {opening};
  }
  if (summary) {
    batch::AppendSummaryCsvRowOpening(opening, LabelOfPoint(schedule, point), arguments);
  } else {
    batch::AppendRunCsvRowOpening(
        opening, LabelOfRun(schedule, point, record % schedule.Replicates()), arguments);
  }
  std::vector<std::string> lines(model::kStepCount, opening);
  for (int k = 0; k < model::kStepCount; ++k) lines[k].append(std::to_string(k)).append(1, ',');
  return lines;
}

void AppendBatchHeader(std::string& text, BatchLayout layout, run::OutputFormat format) {
  if (format == run::OutputFormat::kJson) return;
  if (layout == BatchLayout::kSummary) {
    batch::AppendSummaryCsvHeader(text);
  } else {
    batch::AppendRunCsvHeader(text);
  }
}

}  // namespace cli
