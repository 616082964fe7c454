#include "cli/part_join.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>

#include "batch/batch_output.h"
#include "batch/run_schedule.h"
#include "batch/run_values.h"
#include "batch/summary_statistics.h"
#include "run_description/number_text.h"

namespace cli {
namespace {

// How much of an unexpected line a message quotes.
constexpr std::size_t kQuotedLineLength = 60;
// Bytes read from a part at a time; a join holds this much per part.
constexpr std::size_t kReadBytes = 16 * 1024;
// Files the process may hold open besides the parts (standard streams, the
// output and its temporary file, whatever a library keeps).
constexpr rlim_t kOtherOpenFiles = 64;

// A value whose text appears nowhere else in a line after its opening.
constexpr double kStandIn = 0.25;
constexpr std::string_view kStandInText = "0.25";
// Where a value's text ends in either format.
constexpr std::string_view kValueEnds = ",]}";
constexpr std::string_view kJsonNull = "null";

std::string Written(double value) {
  std::string text;
  run::AppendSignificant(text, value);
  return text;
}

// The longest text a value can have: a sign, 9 digits, a point and a
// three-digit exponent (or the shorter null, nan and inf).
std::size_t LongestValueText() {
  return std::max({Written(-std::numeric_limits<double>::denorm_min()).size(),
                   Written(-std::numeric_limits<double>::quiet_NaN()).size(), kJsonNull.size()});
}

// Whether text is what this command writes for some value: AppendSignificant
// of it, and in JSON null for what is not finite.
bool IsWrittenValue(std::string_view text, run::OutputFormat format) {
  const bool json = format == run::OutputFormat::kJson;
  if (json && text == kJsonNull) return true;
  double value = 0.0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return false;
  if (json && !std::isfinite(value)) return false;
  return Written(value) == text;
}

// What every line of a record holds after its opening, taken from the writer
// itself: literal pieces with one value between each two.
class LineShape {
 public:
  LineShape(BatchLayout layout, run::OutputFormat format) : format_(format) {
    std::string opening;
    const std::string line = LineWithStandIns(layout, format, opening);
    std::string_view rest = std::string_view(line).substr(opening.size());
    longestRest_ = 0;
    for (std::size_t at = rest.find(kStandInText); at != std::string_view::npos;
         at = rest.find(kStandInText)) {
      pieces_.emplace_back(rest.substr(0, at));
      rest.remove_prefix(at + kStandInText.size());
    }
    pieces_.emplace_back(rest);
    for (const std::string& piece : pieces_) longestRest_ += piece.size();
    longestRest_ += ValueCount() * LongestValueText();
  }

  std::size_t ValueCount() const { return pieces_.size() - 1; }
  // The most bytes a line can hold after its opening.
  std::size_t LongestRest() const { return longestRest_; }

  // Where rest first strays from the pieces and values this command writes
  // (an offset into rest), or nothing when it holds them exactly.
  std::optional<std::size_t> FirstFault(std::string_view rest) const {
    std::size_t at = 0;
    for (std::size_t i = 0; i < ValueCount(); ++i) {
      if (!rest.substr(at).starts_with(pieces_[i])) return at;
      at += pieces_[i].size();
      const std::size_t end = std::min(rest.find_first_of(kValueEnds, at), rest.size());
      if (!IsWrittenValue(rest.substr(at, end - at), format_)) return at;
      at = end;
    }
    if (rest.substr(at) != pieces_.back()) return at;
    return std::nullopt;
  }

 private:
  // The first line of a record whose every value is kStandIn, and its opening.
  static std::string LineWithStandIns(BatchLayout layout, run::OutputFormat format,
                                      std::string& opening) {
    const model::RunArguments arguments{};
    const bool json = format == run::OutputFormat::kJson;
    std::string text;
    if (layout == BatchLayout::kSummary) {
      const batch::PointLabel label{};
      const batch::SummaryStatistics each{kStandIn, kStandIn, kStandIn, kStandIn, kStandIn};
      const std::vector<batch::SummaryStatistics> statistics(batch::kValuesPerRun, each);
      if (json) {
        batch::AppendSummaryJsonOpening(opening, label, arguments);
        batch::AppendSummaryJson(text, label, arguments, statistics);
      } else {
        batch::AppendSummaryCsvRowOpening(opening, label, arguments);
        batch::AppendSummaryCsv(text, label, arguments, statistics);
      }
    } else {
      const batch::RunLabel label{};
      const std::vector<float> values(batch::kValuesPerRun, static_cast<float>(kStandIn));
      if (json) {
        batch::AppendRunJsonOpening(opening, label, arguments);
        batch::AppendRunJson(text, label, arguments, values);
      } else {
        batch::AppendRunCsvRowOpening(opening, label, arguments);
        batch::AppendRunCsv(text, label, arguments, values);
      }
    }
    if (!json) opening += "0,";  // the step of a CSV row
    return text.substr(0, text.find('\n'));
  }

  run::OutputFormat format_;
  std::vector<std::string> pieces_;
  std::size_t longestRest_ = 0;
};

std::string Excerpt(std::string_view line) {
  if (line.size() <= kQuotedLineLength) return run::Quoted(line);
  return run::Quoted(std::string(line.substr(0, kQuotedLineLength)) + "...");
}

std::string Reason(int error) {
  return std::strerror(error);
}

// One part, read a line at a time through a buffer of its own; every fault
// it reports names the part.
class PartReader {
 public:
  PartReader(const std::string& path, std::uint64_t index, std::uint64_t count)
      : name_(path + " (shard " + std::to_string(index + 1) + "/" + std::to_string(count) + ")"),
        fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY)) {
    if (fd_ < 0) openError_ = errno;
  }
  ~PartReader() {
    if (fd_ >= 0) ::close(fd_);
  }
  PartReader(const PartReader&) = delete;
  PartReader& operator=(const PartReader&) = delete;

  int OpenError() const { return openError_; }
  std::uint64_t LineNumber() const { return lineNumber_; }
  bool Seekable() const { return ::lseek(fd_, 0, SEEK_CUR) >= 0; }

  // Back to the first line; false (errno set) where the part cannot be.
  bool Rewind() {
    begin_ = end_ = 0;
    lineNumber_ = 0;
    return ::lseek(fd_, 0, SEEK_SET) == 0;
  }

  // The next whole line, without its newline, valid until the next call;
  // nothing at the end of the part or on a fault, which fault then says: a
  // last line without a newline (cut short) or a failed read. A line longer
  // than longest bytes is read no further: its first longest bytes come back,
  // and CutAtLongest() says so.
  std::optional<std::string_view> NextLine(std::size_t longest, std::string& fault) {
    line_.clear();
    cutAtLongest_ = false;
    while (true) {
      if (begin_ == end_) {
        const ssize_t got = ReadSome();
        if (got < 0) {
          fault = Fault("cannot be read: " + Reason(errno));
          return std::nullopt;
        }
        if (got == 0) {
          if (line_.empty()) return std::nullopt;
          fault = Fault("line " + std::to_string(lineNumber_ + 1) +
                        " has no end: the part was cut short while it was written");
          return std::nullopt;
        }
        begin_ = 0;
        end_ = static_cast<std::size_t>(got);
      }
      const char* start = buffer_.data() + begin_;
      const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
      const std::size_t take = newline ? static_cast<std::size_t>(newline - start) : end_ - begin_;
      if (line_.size() + take > longest) {
        line_.append(start, longest - line_.size());
        cutAtLongest_ = true;
        ++lineNumber_;
        return std::string_view(line_);
      }
      line_.append(start, take);
      begin_ += take;
      if (newline) {
        ++begin_;
        ++lineNumber_;
        return std::string_view(line_);
      }
    }
  }

  // What follows the last line read, as far as one read brings it; nothing at
  // the end of the part or on a failed read, which fault then says.
  std::optional<std::string_view> Leftover(std::string& fault) {
    if (begin_ == end_) {
      const ssize_t got = ReadSome();
      if (got <= 0) {
        if (got < 0) fault = Fault("cannot be read: " + Reason(errno));
        return std::nullopt;
      }
      begin_ = 0;
      end_ = static_cast<std::size_t>(got);
    }
    return std::string_view(buffer_.data() + begin_, end_ - begin_);
  }

  bool CutAtLongest() const { return cutAtLongest_; }

  std::string Fault(const std::string& what) const { return name_ + ": " + what; }

 private:
  ssize_t ReadSome() {
    while (true) {
      const ssize_t got = ::read(fd_, buffer_.data(), buffer_.size());
      if (got >= 0 || errno != EINTR) return got;
    }
  }

  std::string name_;
  int fd_;
  int openError_ = 0;
  std::array<char, kReadBytes> buffer_{};
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  std::string line_;
  bool cutAtLongest_ = false;
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

// A join holds every part open at once: while it lasts, the soft limit of
// open files is raised as far as the hard limit allows.
class OpenFileAllowance {
 public:
  explicit OpenFileAllowance(std::size_t parts) : needed_(parts + kOtherOpenFiles) {
    if (::getrlimit(RLIMIT_NOFILE, &before_) != 0) return;
    if (before_.rlim_cur != RLIM_INFINITY && before_.rlim_cur < needed_) {
      rlimit raised = before_;
      raised.rlim_cur =
          before_.rlim_max == RLIM_INFINITY ? needed_ : std::min<rlim_t>(before_.rlim_max, needed_);
      raised_ = ::setrlimit(RLIMIT_NOFILE, &raised) == 0;
    }
  }
  ~OpenFileAllowance() {
    if (raised_) ::setrlimit(RLIMIT_NOFILE, &before_);
  }
  OpenFileAllowance(const OpenFileAllowance&) = delete;
  OpenFileAllowance& operator=(const OpenFileAllowance&) = delete;

  // Why count parts cannot be open at once, in the limit's own terms.
  static std::string Shortage(std::size_t count) {
    rlimit now{};
    ::getrlimit(RLIMIT_NOFILE, &now);
    const auto text = [](rlim_t limit) {
      return limit == RLIM_INFINITY ? std::string("unlimited") : std::to_string(limit);
    };
    return "cannot hold the " + std::to_string(count) +
           " parts open at once, as a join must: this process may have " + text(now.rlim_cur) +
           " files open (ulimit -n) and its hard limit is " + text(now.rlim_max) +
           "; raise the hard limit (ulimit -Hn, as root or in /etc/security/limits.conf) to at "
           "least " +
           std::to_string(count + kOtherOpenFiles);
  }

 private:
  rlim_t needed_;
  rlimit before_{};
  bool raised_ = false;
};

class Join {
 public:
  Join(const JoinRequest& request, std::ostream& out)
      : request_(request), out_(out), shape_(request.layout, request.format) {}

  JoinResult Run();

 private:
  bool OpenParts();
  bool CopyAll();
  bool CopyHeader();
  bool CopyPoint(std::uint64_t point);
  bool CopyRecord(std::uint64_t part, std::uint64_t record, std::uint64_t point);
  bool CheckEnds();
  bool Write(std::string_view line);
  bool Refuse(std::string fault) {
    result_.fault = std::move(fault);
    return false;
  }

  const JoinRequest& request_;
  std::ostream& out_;
  bool writing_ = true;  // false while a first reading only checks
  const LineShape shape_;
  JoinResult result_;
  // Declared before the readers: the limit goes back once they are closed.
  std::optional<OpenFileAllowance> allowance_;
  std::vector<std::unique_ptr<PartReader>> readers_;
  std::vector<batch::RunSchedule> schedules_;
};

JoinResult Join::Run() {
  if (std::string fault = RepeatedPart(request_.parts); !fault.empty()) {
    Refuse(std::move(fault));
    return result_;
  }
  if (!OpenParts()) return result_;
  if (request_.checkBeforeWriting) {
    writing_ = false;
    if (!CopyAll()) return result_;
    for (const auto& reader : readers_) {
      if (!reader->Rewind()) {
        Refuse(reader->Fault("cannot be read again: " + Reason(errno)));
        return result_;
      }
    }
    writing_ = true;
  }
  if (!CopyAll()) return result_;
  errno = 0;
  if (!out_.flush()) {
    result_.outputFailed = true;
    result_.outputError = errno;
  }
  return result_;
}

bool Join::OpenParts() {
  const std::uint64_t count = request_.parts.size();
  allowance_.emplace(count);
  for (std::uint64_t i = 0; i < count; ++i) {
    readers_.push_back(std::make_unique<PartReader>(request_.parts[i], i, count));
    const PartReader& reader = *readers_.back();
    if (reader.OpenError() == EMFILE) return Refuse(OpenFileAllowance::Shortage(count));
    if (reader.OpenError() != 0) {
      return Refuse(reader.Fault("cannot be opened: " + Reason(reader.OpenError())));
    }
    if (request_.checkBeforeWriting && !reader.Seekable()) {
      return Refuse(reader.Fault("cannot be read twice (" + Reason(errno) +
                                 "): a join to standard output, a device or a FIFO checks "
                                 "every part whole before it writes, then reads it again; give "
                                 "--out FILE"));
    }
    schedules_.emplace_back(request_.grid, request_.replicates, batch::Shard{i, count},
                            request_.baseSeed, request_.seeds);
  }
  return true;
}

bool Join::CopyAll() {
  if (!CopyHeader()) return false;
  for (std::uint64_t point = 0; point < request_.grid.PointCount(); ++point) {
    if (!CopyPoint(point)) return false;
  }
  return CheckEnds();
}

bool Join::Write(std::string_view line) {
  if (!writing_) return true;
  out_.write(line.data(), static_cast<std::streamsize>(line.size()));
  out_.put('\n');
  if (out_) return true;
  result_.outputFailed = true;
  result_.outputError = errno;
  return false;
}

// Shard 1 alone carries the CSV header.
bool Join::CopyHeader() {
  std::string header;
  AppendBatchHeader(header, request_.layout, request_.format);
  if (header.empty()) return true;
  header.pop_back();  // its newline
  PartReader& reader = *readers_.front();
  std::string fault;
  const std::optional<std::string_view> line = reader.NextLine(header.size(), fault);
  if (!fault.empty()) return Refuse(fault);
  if (line != header) {
    const std::string found = line ? Excerpt(*line) : std::string("nothing");
    return Refuse(reader.Fault("line 1: expected the header of this batch's CSV, found " + found +
                               SameCommandHint(0, readers_.size())));
  }
  return Write(*line);
}

// Grid point g lies in shard g mod N, as local point g / N.
bool Join::CopyPoint(std::uint64_t point) {
  const std::uint64_t part = point % readers_.size();
  const std::uint64_t local = point / readers_.size();
  if (request_.layout == BatchLayout::kSummary) return CopyRecord(part, local, point);
  for (std::uint64_t r = 0; r < request_.replicates; ++r) {
    if (!CopyRecord(part, local * request_.replicates + r, point)) return false;
  }
  return true;
}

bool Join::CopyRecord(std::uint64_t part, std::uint64_t record, std::uint64_t point) {
  PartReader& reader = *readers_[part];
  for (const std::string& opening :
       RecordLineOpenings(schedules_[part], request_.layout, request_.format, record)) {
    std::string fault;
    const std::optional<std::string_view> line =
        reader.NextLine(opening.size() + shape_.LongestRest(), fault);
    if (!fault.empty()) return Refuse(fault);
    const std::string lineNumber = "line " + std::to_string(reader.LineNumber());
    if (!line) {
      return Refuse(reader.Fault("ends after " + lineNumber + ", before grid point " +
                                 std::to_string(point) + " is whole: the part is incomplete"));
    }
    if (!line->starts_with(opening)) {
      return Refuse(reader.Fault(lineNumber + " is not the line of grid point " +
                                 std::to_string(point) + " that this command writes there: found " +
                                 Excerpt(*line) + SameCommandHint(part, readers_.size())));
    }
    if (reader.CutAtLongest()) {
      return Refuse(reader.Fault(lineNumber + " is longer than the " +
                                 std::to_string(opening.size() + shape_.LongestRest()) +
                                 " bytes this command writes there at most; read no further"));
    }
    if (const auto at = shape_.FirstFault(line->substr(opening.size()))) {
      return Refuse(reader.Fault(lineNumber + " does not hold its " +
                                 std::to_string(shape_.ValueCount()) +
                                 " values as this command writes them (from column " +
                                 std::to_string(opening.size() + *at + 1) + ": " +
                                 Excerpt(line->substr(opening.size() + *at)) + ")"));
    }
    if (!Write(*line)) return false;
  }
  return true;
}

bool Join::CheckEnds() {
  for (std::size_t i = 0; i < readers_.size(); ++i) {
    PartReader& reader = *readers_[i];
    std::string fault;
    const std::optional<std::string_view> extra = reader.Leftover(fault);
    if (!fault.empty()) return Refuse(fault);
    if (extra) {
      return Refuse(reader.Fault("line " + std::to_string(reader.LineNumber() + 1) +
                                 " is more than this shard makes: found " +
                                 Excerpt(extra->substr(0, extra->find('\n'))) +
                                 SameCommandHint(i, readers_.size())));
    }
  }
  return true;
}

}  // namespace

JoinResult JoinParts(const JoinRequest& request, std::ostream& out) {
  return Join(request, out).Run();
}

}  // namespace cli
