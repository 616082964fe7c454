// corvellan-run as a process in surroundings set against it: another user's
// plants in a shared sticky folder, a file-size limit, a memory-limited
// control group or address space, and a SIGINT ignored by the shell that
// started it. Each case runs the real program, as a real user where it
// matters, and checks its exit status, its one line and every file touched.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "export/overlay_file.h"
#include "tests/cli/command_line_helpers.h"
#include "tests/cli/working_folder.h"
#include "tests/support/case_name.h"
#include "tests/support/system_users.h"

namespace cli {
namespace {

namespace fs = std::filesystem;
using test_support::SystemUser;
using testing::Lines;
using testing::Read;

constexpr int kExitFailure = 1;
constexpr int kExitBadInput = 2;
constexpr const char* kPrivate = "the victim's own words\n";

struct ProgramOutcome {
  int status;  // 128 + the signal when one ended it
  std::string out;
  std::string err;
};

std::string ReadAll(int fd) {
  std::string text;
  std::array<char, 4096> buffer{};
  for (ssize_t got; (got = ::read(fd, buffer.data(), buffer.size())) > 0;) {
    text.append(buffer.data(), static_cast<std::size_t>(got));
  }
  return text;
}

// Runs corvellan-run with args in a child that first calls prepare (to set a
// limit, say) and becomes user when one is given; the child's standard error
// goes to a file so that neither stream can fill and stall it.
ProgramOutcome RunProgram(const std::vector<std::string>& args,
                          const std::optional<SystemUser>& user = std::nullopt,
                          const std::function<void()>& prepare = {}) {
  std::string errName = (fs::temp_directory_path() / "corvellan-err-XXXXXX").string();
  const int errFile = ::mkstemp(errName.data());
  int out[2];
  if (errFile < 0 || ::pipe(out) != 0) return {-1, {}, {}};
  const pid_t child = ::fork();
  if (child == 0) {
    ::alarm(test_support::kChildSeconds);
    if (prepare) prepare();
    if (user &&
        (::setgroups(0, nullptr) != 0 || ::setgid(user->gid) != 0 || ::setuid(user->uid) != 0)) {
      ::_exit(255);
    }
    ::dup2(out[1], STDOUT_FILENO);
    ::dup2(errFile, STDERR_FILENO);
    ::close(out[0]);
    std::vector<std::string> words = {CORVELLAN_RUN_PATH};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    ::execv(CORVELLAN_RUN_PATH, argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ProgramOutcome outcome{-1, ReadAll(out[0]), {}};
  ::close(out[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  outcome.status = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
  ::lseek(errFile, 0, SEEK_SET);
  outcome.err = ReadAll(errFile);
  ::close(errFile);
  ::unlink(errName.c_str());
  return outcome;
}

bool OneLine(const std::string& err) {
  return Lines(err).size() == 1 && err.rfind("corvellan-run: ", 0) == 0;
}

// base/shared: sticky, world-writable, root's (as /tmp); base/victim: the
// victim's own folder with a private file, which links planted in the shared
// folder aim at.
class SharedFolder {
 public:
  explicit SharedFolder(const SystemUser& victim) {
    std::string name = (fs::temp_directory_path() / "corvellan-plant-XXXXXX").string();
    base_ = ::mkdtemp(name.data());
    ::chmod(base_.c_str(), 0755);
    fs::create_directory(Shared());
    ::chmod(Shared().c_str(), 01777);
    fs::create_directory(Own());
    std::ofstream(Private()) << kPrivate;
    for (const fs::path& path : {Own(), Private()}) ::chown(path.c_str(), victim.uid, victim.gid);
    ::chmod(Own().c_str(), 0700);
    ::chmod(Private().c_str(), 0600);
  }
  ~SharedFolder() {
    std::error_code ignored;
    fs::remove_all(base_, ignored);
  }
  SharedFolder(const SharedFolder&) = delete;
  SharedFolder& operator=(const SharedFolder&) = delete;

  fs::path Shared() const { return base_ / "shared"; }
  fs::path Own() const { return base_ / "victim"; }
  fs::path Private() const { return Own() / "private.txt"; }
  fs::path Trap() const { return Shared() / "trap"; }

 private:
  fs::path base_;
};

struct PlantCase {
  const char* name;
  // Made at Trap() by the other user.
  std::function<void(const SharedFolder&)> plant;
  // The options that name Trap(), given its path.
  std::function<std::vector<std::string>(const std::string&)> options;
  bool victimIsRoot;
  int status;
  const char* kind;  // in the error line: "a symbolic link", "a FIFO", "a file"
  // What must stay as it was.
  std::function<void(const SharedFolder&)> check;
};

void PlantLinkToPrivate(const SharedFolder& f) {
  fs::create_symlink(f.Private(), f.Trap());
}

// Its bytes are compared by the test itself; nothing new may appear beside it.
void PrivateUntouched(const SharedFolder& f) {
  EXPECT_EQ(std::distance(fs::directory_iterator(f.Own()), fs::directory_iterator{}), 1);
}

const PlantCase kPlants[] = {
    {"OutThroughALinkToThePrivateFile", PlantLinkToPrivate,
     [](const std::string& trap) {
       return std::vector<std::string>{"--out", trap};
     },
     false, kExitFailure, "a symbolic link", PrivateUntouched},
    {"OutOfRootThroughALink", PlantLinkToPrivate,
     [](const std::string& trap) {
       return std::vector<std::string>{"--out", trap};
     },
     true, kExitFailure, "a symbolic link", PrivateUntouched},
    {"BatchOutThroughALink", PlantLinkToPrivate,
     [](const std::string& trap) {
       return std::vector<std::string>{"--replicates", "2", "--out", trap};
     },
     false, kExitFailure, "a symbolic link", PrivateUntouched},
    {"NewOverlayThroughADanglingLinkIntoTheVictimsFolder",
     [](const SharedFolder& f) { fs::create_symlink(f.Own() / "made.bmp", f.Trap()); },
     [](const std::string& trap) {
       return std::vector<std::string>{"--new-overlay", trap};
     },
     false, kExitFailure, "a symbolic link", PrivateUntouched},
    {"OverlayThroughALinkToTheVictimsPicture",
     [](const SharedFolder& f) { fs::create_symlink(f.Private(), f.Trap()); },
     [](const std::string& trap) {
       return std::vector<std::string>{"--overlay", trap};
     },
     false, kExitBadInput, "a symbolic link", PrivateUntouched},
    {"OutIntoAFifo",
     [](const SharedFolder& f) {
       ::mkfifo(f.Trap().c_str(), 0666);
       ::chmod(f.Trap().c_str(), 0666);
     },
     [](const std::string& trap) {
       return std::vector<std::string>{"--out", trap};
     },
     false, kExitFailure, "a FIFO",
     [](const SharedFolder& f) { EXPECT_TRUE(fs::is_fifo(f.Trap())); }},
    {"OutOfRootOverAFile", [](const SharedFolder& f) { std::ofstream(f.Trap()) << "theirs"; },
     [](const std::string& trap) {
       return std::vector<std::string>{"--out", trap};
     },
     true, kExitFailure, "a file",
     [](const SharedFolder& f) { EXPECT_EQ(Read(f.Trap()), "theirs"); }},
};

class PlantedByAnotherUser : public ::testing::TestWithParam<PlantCase> {};

TEST_P(PlantedByAnotherUser, IsRefusedInOneLineNamingTheFileAndWhy) {
  const PlantCase& c = GetParam();
  const std::optional<SystemUser> planter = test_support::EnsureUser("corvellan-planter");
  const std::optional<SystemUser> victim = test_support::EnsureUser("corvellan-victim");
  if (!planter || !victim) GTEST_SKIP() << test_support::SkipReason();
  const SharedFolder folder(*victim);
  if (c.options(folder.Trap())[0] == "--overlay") {
    fs::remove(folder.Private());
    ASSERT_EQ(bitmap_export::WriteBlankOverlay(folder.Private()).status,
              bitmap_export::OverlayStatus::kWritten);
    ::chown(folder.Private().c_str(), victim->uid, victim->gid);
  }
  const std::string before = Read(folder.Private());
  ASSERT_EQ(test_support::RunAs(planter,
                                [&] {
                                  c.plant(folder);
                                  return std::string();
                                })
                .status,
            0);
  std::vector<std::string> args = {"--seed", "1"};
  const std::vector<std::string> options = c.options(folder.Trap());
  args.insert(args.end(), options.begin(), options.end());

  const ProgramOutcome outcome = RunProgram(args, c.victimIsRoot ? std::nullopt : victim);

  EXPECT_EQ(outcome.status, c.status) << outcome.err;
  EXPECT_EQ(outcome.out, "");
  EXPECT_TRUE(OneLine(outcome.err)) << outcome.err;
  EXPECT_NE(outcome.err.find(folder.Trap().string() + " is " + c.kind + " of another user"),
            std::string::npos)
      << outcome.err;
  EXPECT_NE(outcome.err.find("shared sticky folder"), std::string::npos) << outcome.err;
  EXPECT_TRUE(Read(folder.Private()) == before) << "the victim's file changed";
  c.check(folder);
}

INSTANTIATE_TEST_SUITE_P(Cases, PlantedByAnotherUser, ::testing::ValuesIn(kPlants),
                         test_support::CaseName());

// A group member drawing on another user's setgid picture: the system clears
// the bit on the write and only the owner could set it again. The run goes on
// and one line says what happened to the picture.
TEST(ClearedSetGroupId, IsOneLineAndTheRunStillSucceeds) {
  const std::optional<SystemUser> owner = test_support::EnsureUser("corvellan-planter");
  const std::optional<SystemUser> member = test_support::EnsureUser("corvellan-victim");
  if (!owner || !member) GTEST_SKIP() << test_support::SkipReason();
  const testing::WorkingFolder folder;
  ::chmod(".", 0755);
  ASSERT_EQ(bitmap_export::WriteBlankOverlay("picture.bmp").status,
            bitmap_export::OverlayStatus::kWritten);
  ASSERT_EQ(::chown("picture.bmp", owner->uid, member->gid), 0);
  ASSERT_EQ(::chmod("picture.bmp", 02670), 0);
  const std::string picture = fs::absolute("picture.bmp").string();
  const std::string blank = Read(picture);

  const ProgramOutcome outcome = RunProgram({"--seed", "1", "--overlay", picture}, member);

  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(Lines(outcome.out).size(), 103U);
  EXPECT_EQ(outcome.err, "corvellan-run: " + picture +
                             ": drawn, but the system cleared its set-group-ID bit on writing, "
                             "and only its owner can set it again\n");
  EXPECT_FALSE(Read(picture) == blank) << "the curve was not drawn";
}

// Beyond the file-size limit the program neither dies by SIGXFSZ nor leaves a
// temporary file or a half-drawn picture: one line, exit 1, old bytes.
struct SizeLimitCase {
  const char* name;
  std::vector<std::string> options;  // naming "target" in the working folder
  bool overlay;                      // the target is an overlay bitmap, else text
};

const SizeLimitCase kSizeLimits[] = {
    {"Out", {"--seed", "1", "--out", "target"}, false},
    {"BatchOut", {"--seed", "1", "--replicates", "3", "--out", "target"}, false},
    {"Overlay", {"--seed", "1", "--overlay", "target"}, true},
};

class FileSizeLimit : public ::testing::TestWithParam<SizeLimitCase> {};

TEST_P(FileSizeLimit, IsAnErrorThatLeavesTheOldBytes) {
  // Below the overlay's 218,678 bytes and the CSV's length, above nothing
  // either needs to read.
  constexpr rlim_t kLimit = 4096;
  const testing::WorkingFolder folder;
  if (GetParam().overlay) {
    ASSERT_EQ(bitmap_export::WriteBlankOverlay("target").status,
              bitmap_export::OverlayStatus::kWritten);
  } else {
    std::ofstream("target") << "old\n";
  }
  const std::string before = Read("target");
  const ProgramOutcome outcome = RunProgram(GetParam().options, std::nullopt, [] {
    const rlimit limit{kLimit, kLimit};
    ::setrlimit(RLIMIT_FSIZE, &limit);
  });
  EXPECT_EQ(outcome.status, kExitFailure) << outcome.err;
  EXPECT_TRUE(OneLine(outcome.err)) << outcome.err;
  EXPECT_NE(outcome.err.find("File too large"), std::string::npos) << outcome.err;
  EXPECT_EQ(Read("target"), before);
  EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator{}), 1)
      << "a temporary file was left behind";
}

INSTANTIATE_TEST_SUITE_P(Cases, FileSizeLimit, ::testing::ValuesIn(kSizeLimits),
                         test_support::CaseName());

// A summary that would need more memory than the process may have is refused
// up front, naming the limit, rather than killed half-way; one that fits runs.
const std::vector<std::string> kLargeSummary = {
    "--seed", "1", "--replicates", "2000000", "--summary", "--jobs", "1"};
const std::vector<std::string> kSmallSummary = {"--seed", "1", "--replicates", "50", "--summary",
                                                "--jobs", "1"};

TEST(MemoryLimit, TheAddressSpaceLimitRefusesASummaryThatCannotFit) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer reserves terabytes of shadow memory, which no "
                  "address-space limit a summary could be refused under leaves room for";
#endif
  constexpr rlim_t kAddressSpace = rlim_t{1} << 30;
  const auto limited = [] {
    const rlimit limit{kAddressSpace, kAddressSpace};
    ::setrlimit(RLIMIT_AS, &limit);
  };
  const ProgramOutcome refused = RunProgram(kLargeSummary, std::nullopt, limited);
  EXPECT_EQ(refused.status, kExitBadInput) << refused.err;
  EXPECT_TRUE(OneLine(refused.err)) << refused.err;
  EXPECT_NE(refused.err.find("the address-space limit (ulimit -v) leaves"), std::string::npos)
      << refused.err;
  const ProgramOutcome fits = RunProgram(kSmallSummary, std::nullopt, limited);
  EXPECT_EQ(fits.status, 0) << fits.err;
  EXPECT_EQ(fits.err, "");
}

// A memory control group of the test's own, below its current one: v2 where
// memory is delegated there, else v1's memory hierarchy. Removed afterwards.
class MemoryGroup {
 public:
  explicit MemoryGroup(std::uint64_t limit) {
    std::ifstream groups("/proc/self/cgroup");
    for (std::string line; std::getline(groups, line);) {
      const std::size_t last = line.rfind(':');
      const std::string controllers = line.substr(line.find(':') + 1, last - line.find(':') - 1);
      if (line.rfind("0::", 0) == 0)
        Try("/sys/fs/cgroup" + line.substr(last + 1), "memory.max", limit);
      if (controllers == "memory") {
        Try("/sys/fs/cgroup/memory" + line.substr(last + 1), "memory.limit_in_bytes", limit);
      }
      if (!path_.empty()) return;
    }
  }
  ~MemoryGroup() {
    if (!path_.empty()) ::rmdir(path_.c_str());
  }
  MemoryGroup(const MemoryGroup&) = delete;
  MemoryGroup& operator=(const MemoryGroup&) = delete;

  bool Made() const { return !path_.empty(); }
  // In the child: moves the calling process into the group.
  void Join() const { std::ofstream(path_ + "/cgroup.procs") << ::getpid() << std::flush; }

 private:
  void Try(const std::string& parent, const char* limitFile, std::uint64_t limit) {
    if (!path_.empty()) return;
    const std::string path = parent + "/corvellan-test-" + std::to_string(::getpid());
    if (::mkdir(path.c_str(), 0755) != 0) return;
    std::ofstream(path + "/" + limitFile) << limit << std::flush;
    std::ifstream written(path + "/" + limitFile);
    std::uint64_t read = 0;
    if (written >> read && read <= limit) {
      path_ = path;
    } else {
      ::rmdir(path.c_str());
    }
  }

  std::string path_;
};

TEST(MemoryLimit, TheControlGroupsLimitRefusesASummaryThatCannotFit) {
  constexpr std::uint64_t kGroupBytes = std::uint64_t{512} << 20;
  const MemoryGroup group(kGroupBytes);
  if (!group.Made()) GTEST_SKIP() << "cannot make a memory control group here";
  const auto inGroup = [&group] { group.Join(); };
  const ProgramOutcome refused = RunProgram(kLargeSummary, std::nullopt, inGroup);
  EXPECT_EQ(refused.status, kExitBadInput) << refused.err;
  EXPECT_TRUE(OneLine(refused.err)) << refused.err;
  EXPECT_NE(refused.err.find("0.5 GB of memory its control group allows"), std::string::npos)
      << refused.err;
  const ProgramOutcome fits = RunProgram(kSmallSummary, std::nullopt, inGroup);
  EXPECT_EQ(fits.status, 0) << fits.err;
}

// A script's background job starts with SIGINT ignored; a Ctrl-C meant for
// the terminal's foreground must not stop it.
TEST(IgnoredInterrupt, StaysIgnored) {
  const testing::WorkingFolder folder;
  const std::vector<std::string> endless = {
      "--seed",       "3",       "--agentCount", "20", "--sweep", "paramJ=0:1:0.001",
      "--replicates", "1000000", "--jobs",       "1",  "--out",   "runs.csv"};
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGINT, SIG_IGN);
    ::alarm(test_support::kChildSeconds);
    std::vector<std::string> words = {CORVELLAN_RUN_PATH};
    words.insert(words.end(), endless.begin(), endless.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    ::execv(CORVELLAN_RUN_PATH, argv.data());
    ::_exit(127);
  }
  // Long enough for the program to be running its batch when the signal comes.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  ::kill(child, SIGINT);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  int status = 0;
  const pid_t ended = ::waitpid(child, &status, WNOHANG);
  EXPECT_EQ(ended, 0) << "SIGINT stopped the batch (exit " << WEXITSTATUS(status) << ")";
  ::kill(child, SIGTERM);
  if (ended == 0) ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
  EXPECT_TRUE(fs::is_empty(".")) << "SIGTERM leaves neither output nor temporary file";
}

}  // namespace
}  // namespace cli
