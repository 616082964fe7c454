#include "batch/sweep_rows.h"

#include <ios>

#include "batch/summary_statistics.h"
#include "model/result_series.h"

namespace batch {

void SweepRowsWriter::Digest(const Record& record, std::size_t slot) {
  std::string& text = texts_[slot];
  text.clear();
  if (design_.Layout() == SweepLayout::kSummary) {
    AppendSummary(record, text);
  } else {
    AppendRun(record, text);
  }
}

bool SweepRowsWriter::Consume(const Record& /*record*/, std::size_t slot) {
  const std::string& text = texts_[slot];
  out_.write(text.data(), static_cast<std::streamsize>(text.size()));
  return static_cast<bool>(out_);
}

void SweepRowsWriter::AppendRun(const Record& record, std::string& text) const {
  const RunLabel label = design_.LabelOfRun(record.index, 0);
  const model::RunArguments arguments = record.Arguments();
  if (format_ == run::OutputFormat::kJson) {
    AppendRunJson(text, label, arguments, record.Run(0));
  } else {
    AppendRunCsv(text, label, arguments, record.Run(0));
  }
}

void SweepRowsWriter::AppendSummary(const Record& record, std::string& text) const {
  const PointLabel label = design_.LabelOfPoint(record.index);
  const model::RunArguments arguments = record.Arguments();
  const std::vector<SummaryStatistics> statistics =
      SummariseRuns(record.values, record.RunCount(), summaryThreads_);
  if (format_ == run::OutputFormat::kJson) {
    AppendSummaryJson(text, label, arguments, statistics);
  } else {
    AppendSummaryCsv(text, label, arguments, statistics);
  }
}

std::vector<std::string> SweepRowOpenings(const ScheduleDesign& design, run::OutputFormat format,
                                          std::uint64_t record) {
  const bool summary = design.Layout() == SweepLayout::kSummary;
  const model::RunArguments arguments = design.Arguments(record);
  std::string opening;
  if (format == run::OutputFormat::kJson) {
    if (summary) {
      AppendSummaryJsonOpening(opening, design.LabelOfPoint(record), arguments);
    } else {
      AppendRunJsonOpening(opening, design.LabelOfRun(record, 0), arguments);
    }
    return {opening};
  }
  if (summary) {
    AppendSummaryCsvRowOpening(opening, design.LabelOfPoint(record), arguments);
  } else {
    AppendRunCsvRowOpening(opening, design.LabelOfRun(record, 0), arguments);
  }
  std::vector<std::string> lines(model::kStepCount, opening);
  for (int k = 0; k < model::kStepCount; ++k) lines[k].append(std::to_string(k)).append(1, ',');
  return lines;
}

void AppendSweepHeader(std::string& text, SweepLayout layout, run::OutputFormat format) {
  if (format == run::OutputFormat::kJson) return;
  if (layout == SweepLayout::kSummary) {
    AppendSummaryCsvHeader(text);
  } else {
    AppendRunCsvHeader(text);
  }
}

}  // namespace batch
