// What corvellan-run does to the files around its outputs: every case with its
// exit status, its message, the bytes of every file in the folder before and
// after, and no temporary file left.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "cli/error_line.h"
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

constexpr mode_t kPermissionBits = 07777;

// Every entry of the current folder: links by their target, folders by a
// mark, files by their bytes and mode.
std::map<std::string, std::string> Snapshot() {
  std::map<std::string, std::string> entries;
  for (const auto& entry : fs::directory_iterator(".")) {
    const std::string name = entry.path().filename();
    struct stat status {};
    ::lstat(name.c_str(), &status);
    if (S_ISLNK(status.st_mode)) {
      entries[name] = "link to " + fs::read_symlink(name).string();
    } else if (S_ISDIR(status.st_mode)) {
      entries[name] = "folder";
    } else {
      entries[name] = std::to_string(status.st_mode & kPermissionBits) + " " + Read(name);
    }
  }
  return entries;
}

void WriteText(const std::string& path, const std::string& text, mode_t mode = 0644) {
  std::ofstream(path) << text;
  ::chmod(path.c_str(), mode);
}

const std::vector<std::string> kRun = {"--seed", "1"};

std::string RunnerOutput() {
  return Invoke(kRun).out;
}

struct OutCase {
  const char* name;
  std::function<void()> setUp;
  std::vector<std::string> args;
  int status;
  const char* message;  // the error line's text after the program name; empty for none
  // What changes in the folder: name -> new entry ("" for removed); the
  // runner's single-run output is written as "<output>".
  std::map<std::string, std::string> changes;
};

std::vector<std::string> With(std::vector<std::string> args) {
  args.insert(args.begin(), kRun.begin(), kRun.end());
  return args;
}

class OutFile : public ::testing::TestWithParam<OutCase> {};

TEST_P(OutFile, ChangesOnlyWhatItShould) {
  const OutCase& c = GetParam();
  const WorkingFolder folder;
  if (c.setUp) c.setUp();
  const std::string output = RunnerOutput();
  std::map<std::string, std::string> expected = Snapshot();
  for (const auto& [name, entry] : c.changes) {
    if (entry.empty()) {
      expected.erase(name);
    } else {
      const std::string mode = entry.substr(0, entry.find(' '));
      const std::string bytes = entry.substr(entry.find(' ') + 1);
      expected[name] = mode + " " + (bytes == "<output>" ? output : bytes);
    }
  }
  const testing::Outcome outcome = Invoke(c.args);
  EXPECT_EQ(outcome.status, c.status);
  EXPECT_EQ(outcome.out, "");
  const std::string message =
      *c.message ? std::string(cli::kProgramName) + ": " + c.message + "\n" : "";
  EXPECT_EQ(outcome.err, message);
  EXPECT_EQ(Snapshot(), expected);
}

std::string Mode(mode_t mode) {
  return std::to_string(mode);
}

const mode_t kNewMode = [] {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}();

const OutCase kOutCases[] = {
    {"NewFile",
     {},
     With({"--out", "r.csv"}),
     kExitSuccess,
     "",
     {{"r.csv", Mode(kNewMode) + " <output>"}}},
    {"PlantedLinkBesideItIsNotFollowed",
     [] {
       WriteText("v.txt", "precious\n");
       fs::create_symlink("v.txt", "r.csv.tmp-corvellan");
     },
     With({"--out", "r.csv"}),
     kExitSuccess,
     "",
     {{"r.csv", Mode(kNewMode) + " <output>"}}},
    {"ALinkStaysALink",
     [] {
       WriteText("target.csv", "old\n", 0640);
       fs::create_symlink("target.csv", "r.csv");
     },
     With({"--out", "r.csv"}),
     kExitSuccess,
     "",
     {{"target.csv", "416 <output>"}}},
    {"PrivateFileStaysPrivate",
     [] { WriteText("r.csv", "old\n", 0600); },
     With({"--out", "r.csv"}),
     kExitSuccess,
     "",
     {{"r.csv", "384 <output>"}}},
    {"ReadOnlyFileStaysReadOnly",
     [] { WriteText("r.csv", "old\n", 0444); },
     With({"--out", "r.csv"}),
     kExitSuccess,
     "",
     {{"r.csv", "292 <output>"}}},
    {"ADirectory",
     [] { fs::create_directory("d.csv"); },
     With({"--out", "d.csv"}),
     kExitFailure,
     "cannot write d.csv: Is a directory",
     {}},
    {"ADirectoryForABatch",
     [] { fs::create_directory("d.csv"); },
     With({"--replicates", "2", "--out", "d.csv"}),
     kExitFailure,
     "cannot write d.csv: Is a directory",
     {}},
    {"AMissingFolder",
     {},
     With({"--out", "no/r.csv"}),
     kExitFailure,
     "cannot write no/r.csv: No such file or directory",
     {}},
    {"BadParameterWritesNothing",
     [] { WriteText("r.csv", "old\n"); },
     With({"--paramJ", "2", "--out", "r.csv"}),
     kExitBadInput,
     "Inappropriate parameter J",
     {}},
    {"BadParameterCreatesNoOverlay",
     {},
     With({"--paramJ", "2", "--new-overlay", "n.bmp"}),
     kExitBadInput,
     "Inappropriate parameter J",
     {}},
    {"OverlayAlreadyThere",
     [] { WriteText("n.bmp", "mine\n"); },
     With({"--new-overlay", "n.bmp", "--out", "r.csv"}),
     kExitBadInput,
     "n.bmp: already exists; not overwritten",
     {}},
};

INSTANTIATE_TEST_SUITE_P(Cases, OutFile, ::testing::ValuesIn(kOutCases), test_support::CaseName());

// A summary that cannot be held in memory is refused before anything is
// written, with what it would need.
TEST(OutFileSummary, TooLargeForMemoryIsRefusedUpFront) {
  const WorkingFolder folder;
  const testing::Outcome outcome =
      Invoke(With({"--summary", "--replicates", "2000000000", "--out", "s.csv"}));
  EXPECT_EQ(outcome.status, kExitBadInput);
  EXPECT_NE(outcome.err.find("--summary: holding the replicates of"), std::string::npos)
      << outcome.err;
  EXPECT_NE(outcome.err.find(" GB"), std::string::npos) << outcome.err;
  EXPECT_TRUE(Snapshot().empty());
}

// The program itself, with its standard output where a shell would put it.
int RunShell(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct StandardOutputCase {
  const char* name;
  const char* redirection;
  const char* reason;
};

class BrokenStandardOutput : public ::testing::TestWithParam<StandardOutputCase> {};

TEST_P(BrokenStandardOutput, IsAFailureWithItsReason) {
  const WorkingFolder folder;
  const std::string command =
      std::string(CORVELLAN_RUN_PATH) + " --seed 1 " + GetParam().redirection + " 2>err.txt";
  EXPECT_EQ(RunShell(command), kExitFailure);
  EXPECT_EQ(Read("err.txt"), std::string(cli::kProgramName) +
                                 ": cannot write standard output: " + GetParam().reason + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenStandardOutput,
    ::testing::Values(StandardOutputCase{"Full", ">/dev/full", "No space left on device"},
                      StandardOutputCase{"Closed", ">&-", "Bad file descriptor"}),
    test_support::CaseName());

// Batches racing for one --out: every time, the file is one of the two whole
// outputs, never a mix, and both say they succeeded.
TEST(OutFileRace, LeavesOneWholeOutputEveryTime) {
  constexpr int kPairs = 20;
  const WorkingFolder folder;
  const std::string program = CORVELLAN_RUN_PATH;
  const std::string batch = " --replicates 40 --jobs 1 ";
  ASSERT_EQ(RunShell(program + " --seed 1" + batch + "--out one.csv"), kExitSuccess);
  ASSERT_EQ(RunShell(program + " --seed 2" + batch + "--out two.csv"), kExitSuccess);
  const std::string one = Read("one.csv");
  const std::string two = Read("two.csv");
  ASSERT_NE(one, two);
  for (int pair = 0; pair < kPairs; ++pair) {
    const std::string command = "(" + program + " --seed 1" + batch + "--out race.csv & " +
                                program + " --seed 2" + batch +
                                "--out race.csv; s=$?; wait $! && exit $s)";
    ASSERT_EQ(RunShell(command), kExitSuccess) << "pair " << pair;
    const std::string race = Read("race.csv");
    EXPECT_TRUE(race == one || race == two) << "pair " << pair << " left a mixed file";
  }
  EXPECT_EQ(Snapshot().size(), 3U) << "a temporary file was left";
}

}  // namespace
}  // namespace cli
