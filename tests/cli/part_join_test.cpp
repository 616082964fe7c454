// Joining the parts of a sharded batch: byte for byte the batch one process
// writes, and every part that does not belong refused by name, with no output:
// not on standard output either, however late the fault. Parts of any size
// (a gigabyte line, /dev/zero, a writer that never stops) cost the join no
// more memory than one line; values are checked as this command writes them,
// in JSON as in CSV; the join takes what open files the hard limit allows;
// and a failed output says why.
#include "cli/part_join.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/runner.h"
#include "model/result_series.h"
#include "tests/cli/command_line_helpers.h"
#include "tests/cli/working_folder.h"
#include "tests/support/case_name.h"

namespace cli {
namespace {

namespace fs = std::filesystem;
using testing::Invoke;
using testing::Read;
using testing::WorkingFolder;

// Five grid points with two replicates each.
const std::vector<std::string> kBatch = {"--seed",          "-41",          "--sweep",
                                         "paramJ=0:1:0.25", "--replicates", "2"};

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

std::string PartName(int shard) {
  return "part-" + std::to_string(shard) + ".csv";
}

// Runs every shard of batch into part-I.csv and returns their names.
std::vector<std::string> WriteParts(const std::vector<std::string>& batch, int shards) {
  std::vector<std::string> parts;
  for (int i = 1; i <= shards; ++i) {
    parts.push_back(PartName(i));
    const auto shard = std::to_string(i) + "/" + std::to_string(shards);
    const testing::Outcome made = Invoke(With(batch, {"--shard", shard, "--out", parts.back()}));
    EXPECT_EQ(made.status, kExitSuccess) << made.err;
  }
  return parts;
}

std::vector<std::string> JoinArguments(const std::vector<std::string>& batch,
                                       const std::vector<std::string>& parts) {
  std::vector<std::string> args = With(batch, {"--join"});
  args.insert(args.end(), parts.begin(), parts.end());
  return args;
}

testing::Outcome Join(const std::vector<std::string>& batch,
                      const std::vector<std::string>& parts) {
  return Invoke(JoinArguments(With(batch, {"--out", "joined"}), parts));
}

// The join written to standard output.
testing::Outcome JoinToStandardOutput(const std::vector<std::string>& batch,
                                      const std::vector<std::string>& parts) {
  return Invoke(JoinArguments(batch, parts));
}

struct JoinCase {
  const char* name;
  std::vector<std::string> options;  // added to kBatch
  int shards;
};

const JoinCase kJoins[] = {
    {"RunsCsv", {}, 3},
    {"RunsJson", {"--format", "json"}, 2},
    {"SummaryCsv", {"--summary"}, 4},
    {"SummaryJson", {"--summary", "--format", "json"}, 3},
    {"OneShard", {}, 1},
    {"MoreShardsThanPoints", {"--summary"}, 7},  // shards 6 and 7 hold nothing
    {"TwoSweeps", {"--sweep", "distR=0,1,2", "--summary"}, 4},
};

class JoinsParts : public ::testing::TestWithParam<JoinCase> {};

TEST_P(JoinsParts, IntoTheBytesOfTheWholeBatch) {
  const WorkingFolder folder;
  const std::vector<std::string> batch = With(kBatch, GetParam().options);
  const testing::Outcome whole = Invoke(batch);
  ASSERT_EQ(whole.status, kExitSuccess) << whole.err;

  const testing::Outcome joined = Join(batch, WriteParts(batch, GetParam().shards));
  ASSERT_EQ(joined.status, kExitSuccess) << joined.err;
  EXPECT_EQ(joined.err, "");
  EXPECT_EQ(Read("joined"), whole.out);
}

INSTANTIATE_TEST_SUITE_P(Cases, JoinsParts, ::testing::ValuesIn(kJoins), test_support::CaseName());

void Replace(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// Everything but the last n bytes of part.
void CutShort(const std::string& part, std::size_t n) {
  const std::string text = Read(part);
  Replace(part, text.substr(0, text.size() - n));
}

// Part text with its line (counting from 1) replaced.
void ReplaceLine(const std::string& part, int number, const std::string& line) {
  std::vector<std::string> lines = testing::Lines(Read(part));
  lines.at(static_cast<std::size_t>(number - 1)) = line;
  std::string text;
  for (const std::string& l : lines) text += l + '\n';
  Replace(part, text);
}

struct FaultCase {
  const char* name;
  // Spoils the three parts of kBatch, or the list of them, or the command.
  std::function<void(std::vector<std::string>& parts, std::vector<std::string>& batch)> spoil;
  std::string message;  // what the one line on standard error holds
};

const std::string kHint = "were all 3 parts written by this command with --shard ";

const FaultCase kFaults[] = {
    {"MissingFile", [](auto& parts, auto&) { fs::remove(parts[1]); },
     "part-2.csv (shard 2/3): cannot be opened: No such file or directory"},
    {"OnePartLeftOut", [](auto& parts, auto&) { parts.pop_back(); }, "(shard 1/2): line "},
    {"PartsOutOfOrder", [](auto& parts, auto&) { std::swap(parts[1], parts[2]); },
     "part-3.csv (shard 2/3): line 1 is not the line of grid point 1"},
    {"OnePartTwice", [](auto& parts, auto&) { parts[2] = parts[1]; },
     "part-2.csv: the same file as part 2, part-2.csv"},
    {"CopyOfAPart",
     [](auto& parts, auto&) {
       fs::copy_file(parts[0], "copy.csv");
       parts[1] = "copy.csv";
     },
     "copy.csv (shard 2/3): line 1 is not the line of grid point 1"},
    {"CutInALine", [](auto& parts, auto&) { CutShort(parts[2], 7); },
     "part-3.csv (shard 3/3): line 202 has no end: the part was cut short"},
    {"CutAtALine",
     [](auto& parts, auto&) {
       const std::vector<std::string> lines = testing::Lines(Read(parts[0]));
       std::string text;
       for (std::size_t i = 0; i < 300; ++i) text += lines[i] + '\n';
       Replace(parts[0], text);
     },
     "part-1.csv (shard 1/3): ends after line 300, before grid point 3 is whole"},
    {"EmptyPart", [](auto& parts, auto&) { Replace(parts[1], ""); },
     "part-2.csv (shard 2/3): ends after line 0, before grid point 1 is whole"},
    {"LineAddedAtTheEnd",
     [](auto& parts, auto&) {
       std::ofstream(parts[1], std::ios::app) << testing::Lines(Read(parts[1])).back() << '\n';
     },
     "part-2.csv (shard 2/3): line 405 is more than this shard makes"},
    {"ValueMissing",
     [](auto& parts, auto&) {
       const std::string line = testing::Lines(Read(parts[1]))[9];
       ReplaceLine(parts[1], 10, line.substr(0, line.rfind(',')));
     },
     "part-2.csv (shard 2/3): line 10 does not hold its 5 values"},
    {"ValueNotANumber",
     [](auto& parts, auto&) {
       const std::string line = testing::Lines(Read(parts[2]))[0];
       ReplaceLine(parts[2], 1, line.substr(0, line.rfind(',')) + ",0.5x");
     },
     "part-3.csv (shard 3/3): line 1 does not hold its 5 values"},
    // The last line of the join: a join to standard output checks it before
    // writing the first.
    {"LastValueNotANumber",
     [](auto& parts, auto&) {
       const std::string line = testing::Lines(Read(parts[1])).back();
       ReplaceLine(parts[1], 404, line.substr(0, line.rfind(',')) + ",0.5x");
     },
     "part-2.csv (shard 2/3): line 404 does not hold its 5 values"},
    {"LineCutAtTheEndOfTheJoin", [](auto& parts, auto&) { CutShort(parts[1], 1); },
     "part-2.csv (shard 2/3): line 404 has no end"},
    {"HeaderMissing",
     [](auto& parts, auto&) {
       const std::string text = Read(parts[0]);
       Replace(parts[0], text.substr(text.find('\n') + 1));
     },
     "part-1.csv (shard 1/3): line 1: expected the header of this batch's CSV"},
    {"OtherSeed", [](auto&, auto& batch) { batch[1] = "-42"; },
     "part-1.csv (shard 1/3): line 2 is not the line of grid point 0"},
    {"OtherReplicates", [](auto&, auto& batch) { batch[5] = "3"; },
     "part-1.csv (shard 1/3): line 204 is not the line of grid point 0"},
    {"OtherParameter",
     [](auto&, auto& batch) {
       batch = With(batch, {"--paramX", "0.5"});
     },
     "part-1.csv (shard 1/3): line 2 is not the line of grid point 0"},
    {"OtherLayout", [](auto&, auto& batch) { batch = With(batch, {"--summary"}); },
     "part-1.csv (shard 1/3): line 1: expected the header of this batch's CSV"},
};

class RefusesParts : public ::testing::TestWithParam<FaultCase> {};

TEST_P(RefusesParts, NamingThePartAndWritingNothing) {
  const WorkingFolder folder;
  std::vector<std::string> batch = kBatch;
  std::vector<std::string> parts = WriteParts(batch, 3);
  GetParam().spoil(parts, batch);
  std::vector<std::string> before;
  for (const std::string& part : parts) before.push_back(Read(part));

  const testing::Outcome joined = Join(batch, parts);
  EXPECT_EQ(joined.status, kExitBadInput);
  EXPECT_EQ(testing::Lines(joined.err).size(), 1u) << joined.err;
  EXPECT_NE(joined.err.find(GetParam().message), std::string::npos) << joined.err;
  EXPECT_FALSE(fs::exists("joined"));

  const testing::Outcome shown = JoinToStandardOutput(batch, parts);
  EXPECT_EQ(shown.status, kExitBadInput);
  EXPECT_EQ(shown.out, "") << "a refused join reached standard output";
  EXPECT_EQ(shown.err, joined.err);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    EXPECT_EQ(Read(parts[i]), before[i]) << parts[i] << " was changed";
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusesParts, ::testing::ValuesIn(kFaults),
                         test_support::CaseName());

TEST(JoinParts, AMismatchSuggestsTheShardItExpected) {
  const WorkingFolder folder;
  std::vector<std::string> parts = WriteParts(kBatch, 3);
  std::swap(parts[0], parts[2]);
  const testing::Outcome joined = Join(kBatch, parts);
  EXPECT_NE(joined.err.find(kHint + "1/3?"), std::string::npos) << joined.err;
}

struct RefusedCommand {
  const char* name;
  std::vector<std::string> args;  // the parts are part-1.csv and part-2.csv
  std::string message;
};

const RefusedCommand kRefusedCommands[] = {
    {"WithoutSeed",
     {"--replicates", "2", "--join", "part-1.csv", "part-2.csv"},
     "--join needs the --seed the parts were run with"},
    {"WithShard",
     {"--seed", "1", "--shard", "1/2", "--join", "part-1.csv", "part-2.csv"},
     "--join puts the shards of a batch together: leave out --shard"},
    {"OutIsAPart",
     {"--seed", "1", "--out", "part-2.csv", "--join", "part-1.csv", "part-2.csv"},
     "--out part-2.csv is one of the parts"},
    {"OutIsAPartByAnotherName",
     {"--seed", "1", "--out", "./part-1.csv", "--join", "part-1.csv", "part-2.csv"},
     "--out ./part-1.csv is one of the parts"},
};

class RefusesJoinCommand : public ::testing::TestWithParam<RefusedCommand> {};

TEST_P(RefusesJoinCommand, BeforeReadingAnyPart) {
  const WorkingFolder folder;
  const std::vector<std::string> parts = WriteParts({"--seed", "1", "--replicates", "2"}, 2);
  const std::string first = Read(parts[0]);
  const std::string second = Read(parts[1]);

  const testing::Outcome joined = Invoke(GetParam().args);
  EXPECT_EQ(joined.status, kExitBadInput);
  EXPECT_NE(joined.err.find(GetParam().message), std::string::npos) << joined.err;
  EXPECT_EQ(joined.out, "");
  EXPECT_EQ(Read(parts[0]), first);
  EXPECT_EQ(Read(parts[1]), second);
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusesJoinCommand, ::testing::ValuesIn(kRefusedCommands),
                         test_support::CaseName());

// --- corvellan-run itself, in a process of its own ---------------------------

struct Program {
  int status = -1;  // the exit status, -1 after a signal
  std::string out;  // standard output, where it went to a pipe
  std::string err;
  long peakKilobytes = 0;  // the process's largest resident set
};

struct ProgramSetup {
  std::optional<std::string> standardOutput;  // a path; without one, a pipe read into out
  std::optional<rlimit> openFiles;            // RLIMIT_NOFILE, set before the program starts
};

void ReadAll(int fd, std::string& text) {
  char buffer[1 << 16];
  while (true) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    text.append(buffer, static_cast<std::size_t>(n));
  }
}

Program RunProgram(const std::vector<std::string>& args, const ProgramSetup& setup = {}) {
  std::vector<std::string> words = {CORVELLAN_RUN_PATH};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  int out[2];
  int err[2];
  EXPECT_EQ(::pipe2(out, O_CLOEXEC), 0);
  EXPECT_EQ(::pipe2(err, O_CLOEXEC), 0);
  const char* outPath = setup.standardOutput ? setup.standardOutput->c_str() : nullptr;
  const pid_t pid = ::fork();
  if (pid == 0) {
    // Only async-signal-safe calls from here to exec.
    const int target = outPath ? ::open(outPath, O_WRONLY | O_CREAT | O_TRUNC, 0644) : out[1];
    if (target < 0 || ::dup2(target, STDOUT_FILENO) < 0 || ::dup2(err[1], STDERR_FILENO) < 0)
      ::_exit(126);
    if (setup.openFiles && ::setrlimit(RLIMIT_NOFILE, &*setup.openFiles) != 0) ::_exit(126);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ::close(err[1]);
  Program program;
  ReadAll(out[0], program.out);
  ReadAll(err[0], program.err);
  ::close(out[0]);
  ::close(err[0]);
  int status = 0;
  rusage usage{};
  EXPECT_EQ(::wait4(pid, &status, 0, &usage), pid);
  program.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  program.peakKilobytes = usage.ru_maxrss;
  return program;
}

// The files of the working folder, but for the parts (a refused join leaves
// neither its output nor a temporary file behind).
std::vector<std::string> FilesBesides(const std::vector<std::string>& parts) {
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(".")) {
    const std::string name = entry.path().filename().string();
    if (std::find(parts.begin(), parts.end(), name) == parts.end()) files.push_back(name);
  }
  return files;
}

// --- parts of any size cost one line -----------------------------------------

constexpr off_t kGigabyte = off_t{1} << 30;
// More than a join of kBatch needs (a few MB), far less than a gigabyte.
constexpr long kMemoryMarginKilobytes = 64 * 1024;

// A writer that never stops, behind a FIFO: a process of its own.
class EndlessWriter {
 public:
  EndlessWriter(const std::string& fifo, std::string start) {
    EXPECT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    pid_ = ::fork();
    if (pid_ == 0) {
      ::signal(SIGPIPE, SIG_DFL);
      const int fd = ::open(fifo.c_str(), O_WRONLY);
      const std::string endless(1 << 16, 'x');
      if (::write(fd, start.data(), start.size()) < 0) ::_exit(0);
      while (::write(fd, endless.data(), endless.size()) > 0) {
      }
      ::_exit(0);
    }
  }
  ~EndlessWriter() {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  EndlessWriter(const EndlessWriter&) = delete;
  EndlessWriter& operator=(const EndlessWriter&) = delete;

 private:
  pid_t pid_ = -1;
};

// The first line of part (its opening, then some of its values).
std::string FirstLine(const std::string& part) {
  return testing::Lines(Read(part)).at(0);
}

struct HugePartCase {
  const char* name;
  // Spoils parts (the three of kBatch) in place, or names another file as one.
  std::function<void(std::vector<std::string>& parts)> spoil;
  std::string message;
  bool toStandardOutput;  // else --out joined
};

const HugePartCase kHugeParts[] = {
    {"GigabyteLine",
     [](auto& parts) {
       // The right line, then a gigabyte without a newline (a
       // sparse file: no disk to speak of).
       Replace(parts[1], FirstLine(parts[1]));
       ASSERT_EQ(::truncate(parts[1].c_str(), kGigabyte), 0);
     },
     "part-2.csv (shard 2/3): line 1 is longer than the ", false},
    {"GigabyteLineToStandardOutput",
     [](auto& parts) {
       Replace(parts[1], FirstLine(parts[1]));
       ASSERT_EQ(::truncate(parts[1].c_str(), kGigabyte), 0);
     },
     "part-2.csv (shard 2/3): line 1 is longer than the ", true},
    {"GigabyteOfValues",
     [](auto& parts) {
       // A line that holds its opening whole and then values without end.
       std::string line = FirstLine(parts[2]);
       for (int i = 0; i < 10000; ++i) line += ",0.5";
       Replace(parts[2], line);
       ASSERT_EQ(::truncate(parts[2].c_str(), kGigabyte), 0);
     },
     "part-3.csv (shard 3/3): line 1 is longer than the ", false},
    {"GigabyteAfterTheLastLine",
     [](auto& parts) { ASSERT_EQ(::truncate(parts[0].c_str(), kGigabyte), 0); },
     "part-1.csv (shard 1/3): line 406 is more than this shard makes", true},
    {"DevZeroAsAPart", [](auto& parts) { parts[1] = "/dev/zero"; },
     "/dev/zero (shard 2/3): line 1 is not the line of grid point 1", false},
    {"DevZeroAsTheFirstPart", [](auto& parts) { parts[0] = "/dev/zero"; },
     "/dev/zero (shard 1/3): line 1: expected the header of this batch's CSV", true},
};

class HugePart : public ::testing::TestWithParam<HugePartCase> {};

TEST_P(HugePart, IsRefusedAtTheLengthOfTheLongestLine) {
  const WorkingFolder folder;
  const std::vector<std::string> good = WriteParts(kBatch, 3);
  std::vector<std::string> parts = good;
  const auto args = [&](const std::vector<std::string>& list) {
    return JoinArguments(GetParam().toStandardOutput ? kBatch : With(kBatch, {"--out", "joined"}),
                         list);
  };
  // What joining parts of the usual size costs, measured the same way.
  const Program usual = RunProgram(args(good));
  ASSERT_EQ(usual.status, kExitSuccess) << usual.err;
  fs::remove("joined");

  GetParam().spoil(parts);
  const Program joined = RunProgram(args(parts));
  EXPECT_EQ(joined.status, kExitBadInput);
  EXPECT_NE(joined.err.find(GetParam().message), std::string::npos) << joined.err;
  EXPECT_EQ(testing::Lines(joined.err).size(), 1u) << joined.err;
  EXPECT_EQ(joined.out, "");
  EXPECT_LT(joined.peakKilobytes, usual.peakKilobytes + kMemoryMarginKilobytes);
  EXPECT_EQ(FilesBesides(good), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Cases, HugePart, ::testing::ValuesIn(kHugeParts),
                         test_support::CaseName());

TEST(JoinParts, StopsReadingAWriterThatNeverStops) {
  const WorkingFolder folder;
  std::vector<std::string> parts = WriteParts(kBatch, 3);
  const std::vector<std::string> args = With(kBatch, {"--out", "joined"});
  const Program usual = RunProgram(JoinArguments(args, parts));
  ASSERT_EQ(usual.status, kExitSuccess) << usual.err;
  fs::remove("joined");

  const EndlessWriter writer("endless", FirstLine(parts[1]));
  parts[1] = "endless";
  const Program joined = RunProgram(JoinArguments(args, parts));
  EXPECT_EQ(joined.status, kExitBadInput);
  EXPECT_NE(joined.err.find("endless (shard 2/3): line 1 is longer than the "), std::string::npos)
      << joined.err;
  EXPECT_LT(joined.peakKilobytes, usual.peakKilobytes + kMemoryMarginKilobytes);
  EXPECT_FALSE(fs::exists("joined"));
}

TEST(JoinParts, ToStandardOutputRefusesAPartItCannotReadTwice) {
  const WorkingFolder folder;
  std::vector<std::string> parts = WriteParts(kBatch, 3);
  const EndlessWriter writer("endless", Read(parts[1]));
  parts[1] = "endless";
  const Program joined = RunProgram(JoinArguments(kBatch, parts));
  EXPECT_EQ(joined.status, kExitBadInput);
  EXPECT_NE(joined.err.find("endless (shard 2/3): cannot be read twice"), std::string::npos)
      << joined.err;
  EXPECT_NE(joined.err.find("give --out FILE"), std::string::npos) << joined.err;
  EXPECT_EQ(joined.out, "");
}

// A refused join to a pipe, the fault in the join's very last line.
TEST(JoinParts, RefusedToAPipeWritesNothing) {
  const WorkingFolder folder;
  const std::vector<std::string> parts = WriteParts(kBatch, 3);
  const Program whole = RunProgram(JoinArguments(kBatch, parts));
  ASSERT_EQ(whole.status, kExitSuccess) << whole.err;
  EXPECT_EQ(whole.out, Invoke(kBatch).out);
  CutShort(parts[1], 1);  // part 2 holds grid point 4, the last one
  const Program refused = RunProgram(JoinArguments(kBatch, parts));
  EXPECT_EQ(refused.status, kExitBadInput);
  EXPECT_NE(refused.err.find("part-2.csv (shard 2/3): line 404 has no end"), std::string::npos)
      << refused.err;
  EXPECT_EQ(refused.out, "");
}

// --out /dev/stdout is written through the descriptor itself, even where that
// is a regular file: nothing there can be taken back either.
TEST(JoinParts, RefusedThroughANamedDescriptorWritesNothing) {
  const WorkingFolder folder;
  std::vector<std::string> parts = WriteParts(kBatch, 3);
  const std::vector<std::string> args =
      JoinArguments(With(kBatch, {"--out", "/dev/stdout"}), parts);
  const Program whole = RunProgram(args, {.standardOutput = "shown", .openFiles = std::nullopt});
  ASSERT_EQ(whole.status, kExitSuccess) << whole.err;
  EXPECT_EQ(Read("shown"), Invoke(kBatch).out);

  CutShort(parts[1], 1);
  const Program refused = RunProgram(args, {.standardOutput = "shown", .openFiles = std::nullopt});
  EXPECT_EQ(refused.status, kExitBadInput);
  EXPECT_NE(refused.err.find("part-2.csv (shard 2/3): line 404 has no end"), std::string::npos)
      << refused.err;
  EXPECT_EQ(Read("shown"), "");
}

// --- every value as this command writes one -----------------------------------

struct ValueCase {
  const char* name;
  bool json;
  std::string text;  // put in place of one value
  bool accepted;
};

const ValueCase kValues[] = {
    {"CsvPlain", false, "0.5", true},
    {"CsvWhole", false, "100000", true},
    {"CsvSmall", false, "1e-05", true},
    {"CsvNegativeZero", false, "-0", true},
    {"CsvNotANumber", false, "nan", true},  // what the writer makes of NaN
    {"CsvInfinity", false, "-inf", true},
    {"CsvTrailingZero", false, "0.50", false},
    {"CsvExponentNotWritten", false, "1e5", false},
    {"CsvPlusSign", false, "+0.5", false},
    {"CsvSpace", false, " 0.5", false},
    {"CsvHex", false, "0x1p-2", false},
    {"CsvTenDigits", false, "0.1234567891", false},
    {"CsvNull", false, "null", false},
    {"CsvEmpty", false, "", false},
    {"CsvQuoted", false, "\"0.5\"", false},
    {"JsonPlain", true, "0.5", true},
    {"JsonSmall", true, "1e-05", true},
    {"JsonNull", true, "null", true},  // what the writer makes of NaN
    {"JsonString", true, "\"0.5\"", false},
    {"JsonTrue", true, "true", false},
    {"JsonObject", true, "{}", false},
    {"JsonArray", true, "[0.5]", false},
    {"JsonNotANumber", true, "nan", false},
    {"JsonNaN", true, "NaN", false},
    {"JsonInfinity", true, "inf", false},
    {"JsonTrailingZero", true, "0.50", false},
    {"JsonExponentNotWritten", true, "1e5", false},
    {"JsonSpace", true, " 0.5", false},
    {"JsonEmpty", true, "", false},
};

// A run's line with its first value replaced by text: the first of the
// first series in JSON, the fifth value from the end in CSV.
std::string WithFirstValue(const std::string& line, bool json, const std::string& text) {
  std::size_t begin = 0;
  if (json) {
    begin = line.find('[', line.find("\"firstOrderRate\"")) + 1;
  } else {
    begin = line.size();
    for (int i = 0; i < model::kSeriesCount; ++i) begin = line.rfind(',', begin - 1);
    ++begin;
  }
  const std::size_t end = std::min(line.find_first_of(",]}", begin), line.size());
  return line.substr(0, begin) + text + line.substr(end);
}

class JoinValue : public ::testing::TestWithParam<ValueCase> {};

TEST_P(JoinValue, IsTakenOnlyAsThisCommandWritesIt) {
  const WorkingFolder folder;
  const ValueCase& value = GetParam();
  const std::vector<std::string> batch = value.json ? With(kBatch, {"--format", "json"}) : kBatch;
  const std::vector<std::string> parts = WriteParts(batch, 2);
  const std::string line = testing::Lines(Read(parts[1])).at(1);
  const std::string spoilt = WithFirstValue(line, value.json, value.text);
  ASSERT_NE(spoilt, line);
  ReplaceLine(parts[1], 2, spoilt);

  const testing::Outcome joined = Join(batch, parts);
  if (value.accepted) {
    EXPECT_EQ(joined.status, kExitSuccess) << joined.err;
    EXPECT_NE(Read("joined").find(spoilt + "\n"), std::string::npos);
  } else {
    EXPECT_EQ(joined.status, kExitBadInput);
    EXPECT_NE(joined.err.find("part-2.csv (shard 2/2): line 2 does not hold its"),
              std::string::npos)
        << joined.err;
    EXPECT_FALSE(fs::exists("joined"));
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, JoinValue, ::testing::ValuesIn(kValues), test_support::CaseName());

struct JsonLineCase {
  const char* name;
  // The JSON line (a run's or a summary's) spoilt.
  std::function<std::string(const std::string&)> spoil;
};

// The text from the first '[' after key to its ']' replaced by with.
std::string ReplaceArray(const std::string& line, const std::string& key, const std::string& with) {
  const std::size_t begin = line.find('[', line.find(key));
  const std::size_t end = line.find(']', begin);
  return line.substr(0, begin) + with + line.substr(end + 1);
}

// The array after key cut to its first count values.
std::string CutArray(const std::string& line, const std::string& key, int count) {
  const std::size_t begin = line.find('[', line.find(key));
  std::size_t at = begin;
  for (int i = 0; i < count; ++i) at = line.find(',', at + 1);
  return line.substr(0, at) + line.substr(line.find(']', begin));
}

const JsonLineCase kJsonLines[] = {
    {"ValuesAsStrings",
     [](const std::string& line) {
       std::string spoilt;
       for (std::size_t i = 0; i < line.size(); ++i) {
         // Quotes around every value after the series begin.
         const bool inValues = i > line.find("\"firstOrderRate\"");
         if (inValues && (line[i] == '[' || line[i] == ',') && std::isdigit(line[i + 1])) {
           spoilt += line[i];
           spoilt += '"';
         } else if (inValues && std::isdigit(line[i]) &&
                    (line[i + 1] == ',' || line[i + 1] == ']')) {
           spoilt += line[i];
           spoilt += '"';
         } else {
           spoilt += line[i];
         }
       }
       return spoilt;
     }},
    {"SeriesAnObject",
     [](const std::string& line) { return ReplaceArray(line, "\"meanPropensity\"", "{}"); }},
    {"SeriesNull",
     [](const std::string& line) { return ReplaceArray(line, "\"meanPropensity\"", "null"); }},
    {"SeriesTrue",
     [](const std::string& line) { return ReplaceArray(line, "\"meanPropensity\"", "true"); }},
    {"SeriesCutToTenValues",
     [](const std::string& line) { return CutArray(line, "\"meanPropensity\"", 10); }},
    {"OneValueMore",
     [](const std::string& line) {
       const std::size_t end = line.find(']', line.find("\"meanPropensity\""));
       return line.substr(0, end) + ",0.5" + line.substr(end);
     }},
    {"KeyAdded",
     [](const std::string& line) { return line.substr(0, line.size() - 2) + ",\"x\":1}}"; }},
    {"KeyRenamed",
     [](const std::string& line) {
       std::string spoilt = line;
       spoilt.replace(spoilt.find("\"meanPropensity\""), 16, "\"meanpropensity\"");
       return spoilt;
     }},
    {"ObjectNotClosed", [](const std::string& line) { return line.substr(0, line.size() - 1); }},
    {"SpaceAfterAComma",
     [](const std::string& line) {
       std::string spoilt = line;
       spoilt.insert(spoilt.find(',', spoilt.find("\"meanPropensity\"")) + 1, " ");
       return spoilt;
     }},
    {"CarriageReturn", [](const std::string& line) { return line + "\r"; }},
};

class JsonLine : public ::testing::TestWithParam<std::tuple<JsonLineCase, bool>> {};

TEST_P(JsonLine, IsCheckedAsStrictlyAsACsvLine) {
  const WorkingFolder folder;
  const auto& [spoil, summary] = GetParam();
  std::vector<std::string> batch = With(kBatch, {"--format", "json"});
  if (summary) batch.emplace_back("--summary");
  const std::vector<std::string> parts = WriteParts(batch, 2);
  const std::string line = testing::Lines(Read(parts[0])).at(1);
  const std::string spoilt = spoil.spoil(line);
  ASSERT_NE(spoilt, line);
  ReplaceLine(parts[0], 2, spoilt);

  const testing::Outcome joined = Join(batch, parts);
  EXPECT_EQ(joined.status, kExitBadInput);
  const std::string values = summary ? "2525" : "505";
  EXPECT_NE(joined.err.find("part-1.csv (shard 1/2): line 2 does not hold its " + values +
                            " values as this command writes them"),
            std::string::npos)
      << joined.err;
  EXPECT_FALSE(fs::exists("joined"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JsonLine, ::testing::Combine(::testing::ValuesIn(kJsonLines), ::testing::Bool()),
    [](const ::testing::TestParamInfo<std::tuple<JsonLineCase, bool>>& instance) {
      return std::string(std::get<0>(instance.param).name) +
             (std::get<1>(instance.param) ? "Summary" : "Runs");
    });

// --- as many parts as the hard limit of open files allows ---------------------

struct OpenFilesCase {
  const char* name;
  rlim_t soft;
  rlim_t hard;
  int parts;
  std::string message;  // empty: joined
};

const OpenFilesCase kOpenFiles[] = {
    {"SoftLimitRaised", 64, 1024, 300, ""},
    {"SoftLimitRaisedToTheHardOne", 64, 400, 300, ""},
    {"HardLimitTooLow", 128, 128, 300,
     "cannot hold the 300 parts open at once, as a join must: this process may have 128 files "
     "open (ulimit -n) and its hard limit is 128; raise the hard limit (ulimit -Hn, as root or in "
     "/etc/security/limits.conf) to at least 364"},
};

// The parts of batch in count shards. Only the first shards hold grid
// points: past them every shard writes an empty part (as the last one shows),
// made here without running them all.
std::vector<std::string> WriteManyParts(const std::vector<std::string>& batch, int count) {
  const int holding = 5;  // the grid points of kBatch
  std::vector<std::string> parts;
  for (int i = 1; i <= count; ++i) {
    parts.push_back(PartName(i));
    if (i <= holding || i == count) {
      const std::string shard = std::to_string(i) + "/" + std::to_string(count);
      const testing::Outcome made = Invoke(With(batch, {"--shard", shard, "--out", parts.back()}));
      EXPECT_EQ(made.status, kExitSuccess) << made.err;
    } else {
      Replace(parts.back(), "");
    }
  }
  EXPECT_EQ(Read(parts.back()), "");
  return parts;
}

class OpenFiles : public ::testing::TestWithParam<OpenFilesCase> {};

TEST_P(OpenFiles, AreTakenAsFarAsTheHardLimitAllows) {
  const WorkingFolder folder;
  const OpenFilesCase& limits = GetParam();
  const std::vector<std::string> batch = With(kBatch, {"--summary"});
  const std::vector<std::string> parts = WriteManyParts(batch, limits.parts);
  for (const bool toStandardOutput : {false, true}) {
    SCOPED_TRACE(toStandardOutput ? "to standard output" : "--out joined");
    const Program joined = RunProgram(
        JoinArguments(toStandardOutput ? batch : With(batch, {"--out", "joined"}), parts),
        {.standardOutput = std::nullopt, .openFiles = rlimit{limits.soft, limits.hard}});
    if (limits.message.empty()) {
      EXPECT_EQ(joined.status, kExitSuccess) << joined.err;
      EXPECT_EQ(toStandardOutput ? joined.out : Read("joined"), Invoke(batch).out);
    } else {
      EXPECT_EQ(joined.status, kExitBadInput);
      EXPECT_EQ(joined.err, "corvellan-run: " + limits.message + "\n");
      EXPECT_EQ(joined.out, "");
      EXPECT_FALSE(fs::exists("joined"));
    }
    fs::remove("joined");
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, OpenFiles, ::testing::ValuesIn(kOpenFiles),
                         test_support::CaseName());

// --- a failed output says why ---------------------------------------------------

// A file system of 64 KB in a folder of the working folder, while it lasts;
// Mounted() is false where this process may not mount one.
class SmallFileSystem {
 public:
  explicit SmallFileSystem(const std::string& folder) : folder_(fs::absolute(folder)) {
    fs::create_directory(folder_);
    mounted_ = ::mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=64k") == 0;
  }
  ~SmallFileSystem() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  SmallFileSystem(const SmallFileSystem&) = delete;
  SmallFileSystem& operator=(const SmallFileSystem&) = delete;
  bool Mounted() const { return mounted_; }

 private:
  std::string folder_;
  bool mounted_ = false;
};

struct OutputCase {
  const char* name;
  std::optional<std::string> standardOutput;
  std::vector<std::string> out;  // --out and its path, or nothing
  std::string message;
  bool onSmallFileSystem = false;
};

const OutputCase kOutputs[] = {
    {"StandardOutputFull",
     "/dev/full",
     {},
     "corvellan-run: cannot write standard output: No space left on device\n"},
    {"OutFull",
     std::nullopt,
     {"--out", "/dev/full"},
     "corvellan-run: cannot write /dev/full: No space left on device\n"},
    {"OutOnAFullFileSystem",
     std::nullopt,
     {"--out", "small/joined"},
     "corvellan-run: cannot write small/joined: No space left on device\n",
     true},
    {"StandardOutputOnAFullFileSystem",
     "small/shown",
     {},
     "corvellan-run: cannot write standard output: No space left on device\n",
     true},
};

class FailedOutput : public ::testing::TestWithParam<OutputCase> {};

TEST_P(FailedOutput, SaysWhy) {
  const WorkingFolder folder;
  const std::vector<std::string> parts = WriteParts(kBatch, 3);
  const SmallFileSystem small("small");
  if (GetParam().onSmallFileSystem && !small.Mounted()) {
    GTEST_SKIP() << "this process may not mount a small tmpfs";
  }
  const Program joined =
      RunProgram(JoinArguments(With(kBatch, GetParam().out), parts),
                 {.standardOutput = GetParam().standardOutput, .openFiles = std::nullopt});
  EXPECT_EQ(joined.status, kExitFailure);
  EXPECT_EQ(joined.err, GetParam().message);
  // Nothing is left on the small file system but what standard output wrote.
  for (const auto& entry : fs::directory_iterator("small")) {
    EXPECT_EQ(entry.path().filename(), "shown") << entry.path() << " was left behind";
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, FailedOutput, ::testing::ValuesIn(kOutputs),
                         test_support::CaseName());

}  // namespace
}  // namespace cli
