#include "cli/interrupt_request.h"

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "command_line_helpers.h"
#include "output/output_file.h"

extern char** environ;

namespace cli {
namespace {

using testing::Lines;
using testing::Split;

constexpr int kExitInterruptedStatus = 130;
constexpr std::size_t kSteps = 101;
// Far more runs than finish before the signal comes.
const std::vector<std::string> kEndlessSweep = {
    "--seed",       "3",      "--agentCount", "20", "--sweep", "paramJ=0:1:0.001",
    "--replicates", "100000", "--jobs",       "2"};
constexpr const char* kEndlessRuns = "100100000";

TEST(InterruptRequest, TurnsCtrlCIntoTheFlagAndPutsTheOldHandlingBack) {
  struct sigaction before {};
  sigaction(SIGINT, nullptr, &before);
  {
    const InterruptRequest request;
    EXPECT_FALSE(request.Flag().load());
    std::raise(SIGINT);
    EXPECT_TRUE(request.Flag().load());
  }
  struct sigaction after {};
  sigaction(SIGINT, nullptr, &after);
  EXPECT_EQ(after.sa_handler, before.sa_handler);
}

// A SIGINT ignored before (a script's background job) stays ignored: the
// request neither catches it nor changes its handling.
TEST(InterruptRequest, LeavesAnIgnoredCtrlCIgnored) {
  struct sigaction before {};
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGINT, &ignore, &before);
  bool raised = false;
  sighandler_t during = SIG_DFL;
  {
    const InterruptRequest request;
    struct sigaction now {};
    sigaction(SIGINT, nullptr, &now);
    during = now.sa_handler;
    std::raise(SIGINT);
    raised = request.Flag().load();
  }
  struct sigaction after {};
  sigaction(SIGINT, &before, &after);
  EXPECT_EQ(during, SIG_IGN);
  EXPECT_FALSE(raised);
  EXPECT_EQ(after.sa_handler, SIG_IGN);
}

// The second Ctrl-C ends the program at once, and takes the temporary file of
// an unfinished output with it.
TEST(InterruptRequest, TheSecondCtrlCEndsTheProgramLeavingNoTemporaryFile) {
  std::string folder =
      (std::filesystem::temp_directory_path() / "corvellan-ctrl-c-XXXXXX").string();
  ASSERT_NE(::mkdtemp(folder.data()), nullptr);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    output::OutputFile file(folder + "/out.csv");
    file.Stream() << "partial" << std::flush;
    const InterruptRequest request;
    std::raise(SIGINT);
    std::raise(SIGINT);
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
  EXPECT_TRUE(std::filesystem::is_empty(folder));
  std::filesystem::remove_all(folder);
}

struct Child {
  pid_t pid = -1;
  int out = -1;
  int err = -1;
};

Child Spawn(const std::vector<std::string>& args) {
  int out[2];
  int err[2];
  EXPECT_EQ(pipe(out), 0);
  EXPECT_EQ(pipe(err), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addclose(&actions, err[0]);
  std::vector<std::string> words = {CORVELLAN_RUN_PATH};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  Child child;
  EXPECT_EQ(posix_spawn(&child.pid, CORVELLAN_RUN_PATH, &actions, nullptr, argv.data(), environ),
            0);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  close(err[1]);
  child.out = out[0];
  child.err = err[0];
  return child;
}

// Reads fd until at least count bytes have come, or to its end when count is 0.
void ReadInto(int fd, std::string& text, std::size_t count) {
  char buffer[1 << 16];
  while (count == 0 || text.size() < count) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) return;
    text.append(buffer, static_cast<std::size_t>(n));
  }
}

int ExitStatus(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The header, then whole runs 0, 1, ... in order; returns how many.
std::size_t CountWholeRuns(const std::string& text) {
  EXPECT_TRUE(text.empty() || text.back() == '\n');
  const std::vector<std::string> lines = Lines(text);
  EXPECT_FALSE(lines.empty());
  if (lines.empty()) return 0;
  EXPECT_EQ(lines[0].rfind("run,replicate,seed,", 0), 0u);
  EXPECT_EQ((lines.size() - 1) % kSteps, 0u);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::string> cells = Split(lines[i]);
    EXPECT_EQ(cells[0], std::to_string((i - 1) / kSteps));
    EXPECT_EQ(cells[32], std::to_string((i - 1) % kSteps));
    if (::testing::Test::HasFailure()) break;
  }
  return (lines.size() - 1) / kSteps;
}

TEST(Interrupted, WritesTheFinishedRunsWholeAndInOrderAndExits130) {
  constexpr std::size_t kBytesBeforeSignal = 100000;  // a few runs
  const Child child = Spawn(kEndlessSweep);
  std::string out;
  ReadInto(child.out, out, kBytesBeforeSignal);
  kill(child.pid, SIGINT);
  ReadInto(child.out, out, 0);
  std::string err;
  ReadInto(child.err, err, 0);
  close(child.out);
  close(child.err);
  EXPECT_EQ(ExitStatus(child.pid), kExitInterruptedStatus);
  const std::size_t runs = CountWholeRuns(out);
  EXPECT_GT(runs, 0u);
  EXPECT_EQ(err, "corvellan-run: interrupted; " + std::to_string(runs) + " of " + kEndlessRuns +
                     " runs written\n");
}

// The temporary file an --out batch is writing in folder, if there is one yet.
std::filesystem::path TemporaryIn(const std::filesystem::path& folder) {
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().filename().string().starts_with(".corvellan-")) return entry.path();
  }
  return {};
}

// Starts the endless sweep into folder/out.csv and waits until its first runs
// reach the temporary file.
Child SpawnIntoFile(const std::filesystem::path& folder) {
  std::vector<std::string> args = kEndlessSweep;
  args.insert(args.end(), {"--out", (folder / "out.csv").string()});
  const Child child = Spawn(args);
  constexpr std::uintmax_t kBytesBeforeSignal = 100000;
  constexpr auto kPatience = std::chrono::seconds(60);
  const auto start = std::chrono::steady_clock::now();
  for (;;) {
    const std::filesystem::path temporary = TemporaryIn(folder);
    std::error_code ec;
    if (!temporary.empty() && std::filesystem::file_size(temporary, ec) >= kBytesBeforeSignal &&
        !ec) {
      break;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, kPatience);
    if (std::chrono::steady_clock::now() - start >= kPatience) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return child;
}

std::filesystem::path NewFolder() {
  std::string folder = (std::filesystem::temp_directory_path() / "corvellan-batch-XXXXXX").string();
  EXPECT_NE(::mkdtemp(folder.data()), nullptr);
  return folder;
}

TEST(Interrupted, KeepsTheFinishedRunsInTheOutFile) {
  const std::filesystem::path folder = NewFolder();
  const Child child = SpawnIntoFile(folder);
  kill(child.pid, SIGINT);
  std::string out;
  std::string err;
  ReadInto(child.out, out, 0);
  ReadInto(child.err, err, 0);
  close(child.out);
  close(child.err);
  EXPECT_EQ(ExitStatus(child.pid), kExitInterruptedStatus);
  EXPECT_EQ(out, "");
  EXPECT_TRUE(TemporaryIn(folder).empty());
  std::ifstream in(folder / "out.csv", std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(in)), {});
  const std::size_t runs = CountWholeRuns(written);
  EXPECT_GT(runs, 0u);
  EXPECT_EQ(err, "corvellan-run: interrupted; " + std::to_string(runs) + " of " + kEndlessRuns +
                     " runs written\n");
  std::filesystem::remove_all(folder);
}

// Ended by the system or the terminal, a batch leaves neither its output nor
// its temporary file.
class EndedBatch : public ::testing::TestWithParam<int> {};

TEST_P(EndedBatch, LeavesNothingBehind) {
  const std::filesystem::path folder = NewFolder();
  const Child child = SpawnIntoFile(folder);
  kill(child.pid, GetParam());
  std::string ignored;
  ReadInto(child.out, ignored, 0);
  ReadInto(child.err, ignored, 0);
  close(child.out);
  close(child.err);
  int status = 0;
  waitpid(child.pid, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == GetParam()) << status;
  EXPECT_TRUE(std::filesystem::is_empty(folder));
  std::filesystem::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(Signals, EndedBatch, ::testing::Values(SIGTERM, SIGHUP));

// A fit stopped by Ctrl-C writes the populations it finished, whole.
TEST(Interrupted, WritesTheFinishedPopulationsOfAFit) {
  const std::filesystem::path folder = NewFolder();
  std::ofstream(folder / "observed.csv") << "step,firstOrderRate\n50,0.4\n100,0.45\n";
  constexpr auto kRunningTime = std::chrono::seconds(2);
  const Child child = Spawn({"--seed", "2", "--calibrate", (folder / "observed.csv").string(),
                             "--fit", "paramJ", "--particles", "200", "--budget", "1000000000",
                             "--min-acceptance", "0", "--jobs", "2"});
  std::this_thread::sleep_for(kRunningTime);
  kill(child.pid, SIGINT);
  std::string out;
  std::string err;
  ReadInto(child.out, out, 0);
  ReadInto(child.err, err, 0);
  close(child.out);
  close(child.err);
  EXPECT_EQ(ExitStatus(child.pid), kExitInterruptedStatus);
  const std::vector<std::string> lines = Lines(out);
  ASSERT_GE(lines.size(), 3u);
  const std::string ended = "# ended: the fit was stopped; ";
  EXPECT_EQ(lines[1].substr(0, ended.size()), ended);
  const std::size_t populations = std::stoul(lines[1].substr(lines[1].rfind(", ") + 2));
  // The final population's particles, or none when not even the first was finished.
  EXPECT_EQ(lines.size(), 3u + (populations > 0 ? 200u : 0u));
  EXPECT_EQ(err, "corvellan-run: interrupted; " + std::to_string(populations) +
                     " finished populations written\n");
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace cli
