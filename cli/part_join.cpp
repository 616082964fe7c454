#include "cli/part_join.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>

#include "batch/run_schedule.h"
#include "batch/summary_statistics.h"
#include "model/result_series.h"
#include "run_description/number_text.h"

namespace cli {
namespace {

constexpr char kCsvSeparator = ',';
constexpr std::string_view kJsonLineEnd = "}}";
constexpr char kJsonArrayEnd = ']';
// How much of an unexpected line a message quotes.
constexpr std::size_t kQuotedLineLength = 60;

// Values (CSV) or arrays (JSON) after each line's opening.
std::size_t ValuesPerLine(BatchLayout layout) {
  const std::size_t perSeries = layout == BatchLayout::kSummary ? batch::kSummaryColumns.size() : 1;
  return perSeries * model::kSeriesCount;
}

bool IsNumber(std::string_view text) {
  double value = 0.0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

bool CsvValuesWhole(std::string_view rest, std::size_t count) {
  std::size_t seen = 0;
  while (true) {
    const std::size_t end = std::min(rest.find(kCsvSeparator), rest.size());
    if (!IsNumber(rest.substr(0, end))) return false;
    ++seen;
    if (end == rest.size()) return seen == count;
    rest.remove_prefix(end + 1);
  }
}

bool JsonValuesWhole(std::string_view rest, std::size_t count) {
  return rest.ends_with(kJsonLineEnd) &&
         static_cast<std::size_t>(std::count(rest.begin(), rest.end(), kJsonArrayEnd)) == count;
}

std::string Excerpt(const std::string& line) {
  if (line.size() <= kQuotedLineLength) return run::Quoted(line);
  return run::Quoted(line.substr(0, kQuotedLineLength) + "...");
}

// One part, read a line at a time; every fault it reports names the part.
class PartReader {
 public:
  PartReader(const std::string& path, std::uint64_t index, std::uint64_t count)
      : path_(path), stream_(path, std::ios::binary) {
    name_ = path + " (shard " + std::to_string(index + 1) + "/" + std::to_string(count) + ")";
    if (!stream_) openFailure_ = std::strerror(errno);
  }

  const std::optional<std::string>& OpenFailure() const { return openFailure_; }
  std::uint64_t LineNumber() const { return lineNumber_; }

  // The next whole line, without its newline; empty at the end of the part.
  // A last line without a newline was cut short: fault says so.
  std::optional<std::string> NextLine(std::string& fault) {
    std::string line;
    if (!std::getline(stream_, line)) {
      if (stream_.bad()) fault = Fault("cannot be read");
      return std::nullopt;
    }
    ++lineNumber_;
    if (stream_.eof()) {
      fault = Fault("line " + std::to_string(lineNumber_) +
                    " has no end: the part was cut short while it was written");
      return std::nullopt;
    }
    return line;
  }

  std::string Fault(const std::string& what) const { return name_ + ": " + what; }

 private:
  std::string path_;
  std::string name_;
  std::ifstream stream_;
  std::optional<std::string> openFailure_;
  std::uint64_t lineNumber_ = 0;
};

std::string SameCommandHint(std::uint64_t index, std::uint64_t count) {
  return "; were all " + std::to_string(count) + " parts written by this command with --shard " +
         std::to_string(index + 1) + "/" + std::to_string(count) + "?";
}

// Two names for one file would pass the same part off as two shards.
std::string RepeatedPart(const std::vector<std::string>& parts) {
  std::vector<std::pair<dev_t, ino_t>> seen;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    struct stat status {};
    if (::stat(parts[i].c_str(), &status) != 0) continue;  // reported when opened
    const std::pair<dev_t, ino_t> id{status.st_dev, status.st_ino};
    const auto earlier = std::find(seen.begin(), seen.end(), id);
    if (earlier != seen.end()) {
      const std::size_t first = static_cast<std::size_t>(earlier - seen.begin());
      return parts[i] + ": the same file as part " + std::to_string(first + 1) + ", " +
             parts[first] + "; each shard's part must be given once";
    }
    seen.push_back(id);
  }
  return {};
}

class Join {
 public:
  Join(const JoinRequest& request, std::ostream& out) : request_(request), out_(out) {}

  std::string Run();

 private:
  std::string OpenParts();
  std::string CopyHeader();
  std::string CopyPoint(std::uint64_t point);
  std::string CopyRecord(std::uint64_t part, std::uint64_t record, std::uint64_t point);
  std::string CheckEnds();
  std::string CheckValues(std::uint64_t part, const std::string& line, std::size_t openingLength);

  const JoinRequest& request_;
  std::ostream& out_;
  std::vector<std::unique_ptr<PartReader>> readers_;
  std::vector<batch::RunSchedule> schedules_;
};

std::string Join::Run() {
  if (std::string fault = RepeatedPart(request_.parts); !fault.empty()) return fault;
  if (std::string fault = OpenParts(); !fault.empty()) return fault;
  if (std::string fault = CopyHeader(); !fault.empty()) return fault;
  for (std::uint64_t point = 0; point < request_.grid.PointCount(); ++point) {
    if (std::string fault = CopyPoint(point); !fault.empty()) return fault;
  }
  return CheckEnds();
}

std::string Join::OpenParts() {
  const std::uint64_t count = request_.parts.size();
  for (std::uint64_t i = 0; i < count; ++i) {
    readers_.push_back(std::make_unique<PartReader>(request_.parts[i], i, count));
    if (const auto& failure = readers_.back()->OpenFailure()) {
      return readers_.back()->Fault("cannot be opened: " + *failure);
    }
    schedules_.emplace_back(request_.grid, request_.replicates, batch::Shard{i, count},
                            request_.baseSeed);
  }
  return {};
}

// Shard 1 alone carries the CSV header.
std::string Join::CopyHeader() {
  std::string header;
  AppendBatchHeader(header, request_.layout, request_.format);
  if (header.empty()) return {};
  header.pop_back();  // its newline
  std::string fault;
  const std::optional<std::string> line = readers_.front()->NextLine(fault);
  if (!fault.empty()) return fault;
  if (line != header) {
    const std::string found = line ? Excerpt(*line) : std::string("nothing");
    return readers_.front()->Fault("line 1: expected the header of this batch's CSV, found " +
                                   found + SameCommandHint(0, readers_.size()));
  }
  out_ << *line << '\n';
  return {};
}

// Grid point g lies in shard g mod N, as local point g / N.
std::string Join::CopyPoint(std::uint64_t point) {
  const std::uint64_t part = point % readers_.size();
  const std::uint64_t local = point / readers_.size();
  if (request_.layout == BatchLayout::kSummary) return CopyRecord(part, local, point);
  for (std::uint64_t r = 0; r < request_.replicates; ++r) {
    if (std::string fault = CopyRecord(part, local * request_.replicates + r, point);
        !fault.empty()) {
      return fault;
    }
  }
  return {};
}

std::string Join::CopyRecord(std::uint64_t part, std::uint64_t record, std::uint64_t point) {
  PartReader& reader = *readers_[part];
  for (const std::string& opening :
       RecordLineOpenings(schedules_[part], request_.layout, request_.format, record)) {
    std::string fault;
    const std::optional<std::string> line = reader.NextLine(fault);
    if (!fault.empty()) return fault;
    if (!line) {
      return reader.Fault("ends after line " + std::to_string(reader.LineNumber()) +
                          ", before grid point " + std::to_string(point) +
                          " is whole: the part is incomplete");
    }
    if (!line->starts_with(opening)) {
      return reader.Fault("line " + std::to_string(reader.LineNumber()) +
                          " is not the line of grid point " + std::to_string(point) +
                          " that this command writes there: found " + Excerpt(*line) +
                          SameCommandHint(part, readers_.size()));
    }
    if (std::string bad = CheckValues(part, *line, opening.size()); !bad.empty()) return bad;
    out_.write(line->data(), static_cast<std::streamsize>(line->size()));
    out_.put('\n');
  }
  return {};
}

std::string Join::CheckValues(std::uint64_t part, const std::string& line,
                              std::size_t openingLength) {
  const std::string_view rest = std::string_view(line).substr(openingLength);
  const std::size_t count = ValuesPerLine(request_.layout);
  const bool whole = request_.format == run::OutputFormat::kJson ? JsonValuesWhole(rest, count)
                                                                 : CsvValuesWhole(rest, count);
  if (whole) return {};
  return readers_[part]->Fault("line " + std::to_string(readers_[part]->LineNumber()) +
                               " does not hold its " + std::to_string(count) + " values");
}

std::string Join::CheckEnds() {
  for (std::size_t i = 0; i < readers_.size(); ++i) {
    std::string fault;
    const std::optional<std::string> extra = readers_[i]->NextLine(fault);
    if (!fault.empty()) return fault;
    if (extra) {
      return readers_[i]->Fault("line " + std::to_string(readers_[i]->LineNumber()) +
                                " is more than this shard makes: found " + Excerpt(*extra) +
                                SameCommandHint(i, readers_.size()));
    }
  }
  return {};
}

}  // namespace

std::string JoinParts(const JoinRequest& request, std::ostream& out) {
  return Join(request, out).Run();
}

}  // namespace cli
