// Joining the parts of a sharded batch: byte for byte the batch one process
// writes, and every part that does not belong refused by name, with no output.
#include "cli/part_join.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "cli/runner.h"
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

testing::Outcome Join(const std::vector<std::string>& batch,
                      const std::vector<std::string>& parts) {
  std::vector<std::string> args = With(batch, {"--out", "joined"});
  args.emplace_back("--join");
  args.insert(args.end(), parts.begin(), parts.end());
  return Invoke(args);
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

}  // namespace
}  // namespace cli
