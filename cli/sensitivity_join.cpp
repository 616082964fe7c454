#include "cli/sensitivity_join.h"

#include <fstream>
#include <memory>

#include "batch/sensitivity_output.h"
#include "run_description/number_text.h"

namespace cli {
namespace {

// One part, read a line at a time.
class PartReader {
 public:
  explicit PartReader(const std::string& path) : path_(path), in_(path, std::ios::binary) {}

  bool Opened() const { return in_.is_open(); }
  bool Next(std::string& line) {
    if (!std::getline(in_, line)) return false;
    ++lineNumber_;
    return true;
  }
  std::string Fault(const std::string& what) const {
    return path_ + ": line " + std::to_string(lineNumber_) + " " + what;
  }
  std::string FaultAtEnd(const std::string& what) const { return path_ + ": " + what; }

 private:
  std::string path_;
  std::ifstream in_;
  std::uint64_t lineNumber_ = 0;
};

constexpr std::string_view kNotOfThisCommand = "is not what this command writes there";

std::string CheckHead(PartReader& part, const std::string& head) {
  std::string line;
  std::size_t start = 0;
  while (start < head.size()) {
    const std::size_t end = head.find('\n', start);
    if (!part.Next(line)) return part.FaultAtEnd("ends before its header");
    if (line != head.substr(start, end - start)) {
      return part.Fault("is not the line this command writes (" +
                        std::string(start == 0 ? "the command" : "the header") +
                        "): a part of another analysis?");
    }
    start = end + 1;
  }
  return {};
}

// The measure after the expected start of a run's line, in its exact text.
std::string ReadRun(PartReader& part, const std::string& start, double& measure) {
  std::string line;
  if (!part.Next(line)) return part.FaultAtEnd("ends before all of its runs");
  if (line.compare(0, start.size(), start) != 0) {
    return part.Fault(std::string(kNotOfThisCommand) + ": expected it to begin " +
                      run::Quoted(start));
  }
  const std::string_view text = std::string_view(line).substr(start.size());
  const run::ParsedReal parsed = run::ParseReal(text);
  if (!parsed.value || run::FormatRoundTrip(*parsed.value) != text) {
    return part.Fault("holds a measure " + run::Quoted(text) +
                      " that is not a number in its shortest exact text");
  }
  measure = *parsed.value;
  return {};
}

}  // namespace

std::string ReadSensitivityParts(const std::vector<std::string>& parts,
                                 const batch::SensitivityPlan& plan,
                                 const batch::SensitivityDesign& design,
                                 batch::MeasuredDesign& measured) {
  std::vector<std::unique_ptr<PartReader>> readers;
  const std::string head = batch::DesignTableHead(plan, design);
  for (const std::string& path : parts) {
    readers.push_back(std::make_unique<PartReader>(path));
    if (!readers.back()->Opened()) return path + ": cannot be read";
    if (std::string fault = CheckHead(*readers.back(), head); !fault.empty()) return fault;
  }
  const std::uint64_t runs = design.RunsPerRecord();
  measured.runs.assign(design.RecordCount() * runs, 0.0);
  measured.records.assign(design.RecordCount(), 0.0);
  std::string start;
  for (std::uint64_t record = 0; record < design.RecordCount(); ++record) {
    PartReader& part = *readers[(record / design.RecordsPerUnit()) % readers.size()];
    const model::RunArguments arguments = design.Arguments(record);
    double sum = 0.0;
    for (std::uint64_t run = 0; run < runs; ++run) {
      start.clear();
      batch::AppendDesignRunStart(start, design, arguments, record, run);
      double& measure = measured.runs[record * runs + run];
      if (std::string fault = ReadRun(part, start, measure); !fault.empty()) return fault;
      sum += measure;
    }
    measured.records[record] = sum / static_cast<double>(runs);
  }
  std::string extra;
  for (const auto& reader : readers) {
    if (reader->Next(extra)) return reader->Fault("is more than this command's part holds");
  }
  return {};
}

}  // namespace cli
